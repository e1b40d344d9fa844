#pragma once
// Small initial-state files for the host's tests, written into a fresh temporary folder.

#include "temporaryfolder.h"

#include <string>

class SceneFiles {
public:
    SceneFiles();

    const std::string& dir() const { return folder_.path(); }

    // A scene whose objects each carry one mesh of two triangles (material 1), over a surface of
    // `surfaceDivisions`² × 2 triangles (material 0, none for 0), with two materials or none.
    std::string writeScene(const std::string& fileName, int objectCount, int surfaceDivisions, bool withMaterials,
                           int feedbackMegabytes = 1);

private:
    TemporaryFolder folder_{"quelmar-test"};
};
