#pragma once
// Small .mtm files and models for the bridge's tests, and the staged MTM library.

#include <ostrellfunctions.h>
#include <tmodelitem.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

// The staged libOstrell.so's functions (loaded once, kept for the process).
bridge::OstrellFunctions stagedOstrell();

// Writes a current-layout file of `points` points on a countAz x countEl grid (amplitude of
// point p at (a, e) = p + a + e i).
void writeMtm(const std::string& path, int points, int countAz = 2, int countEl = 3, double distance = 7.5);
// The same model in the legacy layout (no Przn field).
void writeLegacyMtm(const std::string& path, int points, int countAz = 2, int countEl = 3, double distance = 7.5);

std::vector<char> fileBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<char>& bytes);

// A row with `points` points (no grids), the given box and MTM path.
TModelItem rowWithPoints(int points, int boxId = -1, const std::string& path = "");
