#pragma once
// How the host's threads reach the main window: signals that the window connects (queued onto
// its thread). The bridge never sees the window itself.

#include <QObject>
#include <QString>

namespace bridge {

class CBridgeEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // Generation cannot work with this scene; `reason` is shown as it comes.
    void Signal_disableMTMCalcBottons(QString reason);
    // The scene's models of scene load `load` are read: the window lists them and sets up its
    // controls, unless it has opened another scene meanwhile.
    void Signal_refreshAfterLoad(quint64 load);
};

// The one event source of the loaded plug-in.
CBridgeEvents& bridgeEvents();

} // namespace bridge
