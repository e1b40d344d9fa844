#pragma once
// Bringing .mtm files into the list of models and writing models back to their files.

#include "ostrellfunctions.h"

#include <tmodelitem.h>

#include <QString>

#include <string>

class CListModel;

namespace bridge {

class CPointMarkers;
class IWindowChannel;

class CMtmFiles {
public:
    CMtmFiles(CListModel& models, IWindowChannel& window, CPointMarkers& markers, OstrellFunctions library);

    void setLibrary(OstrellFunctions library) { library_ = library; }
    const OstrellFunctions& library() const { return library_; }

    // Reads one file into `mtm` and gives it its display colour: the colour it had, or the next
    // palette colour for a model without one.
    bool ReadMTM(const std::string& path, TMtm* mtm);
    // Opens one file as a new row, with its settings, its box and its markers.
    void AddMTMFile(const QString& path);
    // Adds the scene's models (with the MTMs found for them) as rows.
    void LoadSceneMTMs();
    // Removes every row with its markers and box from the host, before another scene is opened.
    void forgetRows();
    // Saves row `row` over its file. True when the file was written.
    bool saveModel(int row);

private:
    // Creates, colours and places the row's box in the host scene.
    void createBox(TModelItem& item, bool setState);
    void readSettings(TModelItem& item);
    int rowsWithMtm() const;

    CListModel& models_;
    IWindowChannel& window_;
    CPointMarkers& markers_;
    OstrellFunctions library_;
};

} // namespace bridge
