#pragma once
// The merge dialog: the user picks the base model, the output file and the models to place at
// anchor points; OK sends the request to whoever runs the merge.

#include "anchorpointinfo.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

namespace Ui {
class MergeMtmSettings;
}

class MergeMtmSettings : public QDialog {
    Q_OBJECT

public:
    // `models`: (path, name) of the models that may be chosen, in the list's order.
    MergeMtmSettings(const QList<QPair<QString, QString>>& models, QWidget* parent = nullptr);
    ~MergeMtmSettings() override;

signals:
    void readyMergeMTM(QString newFileName, QString baseMtmPath, QList<AnchorPointInfo> anchorPoints);

public slots:
    void onBaseModelChanged(int index);
    void changeMergeOutpuFile();
    void onAddModel();
    void onRemoveSelected();
    void startMergeMTM();

private:
    void fillBaseModelList();
    void proposeOutputFileName();
    void updateControlsState();
    int addAnchorRow(const QString& path);
    QString chosenBase() const;
    void updateRemoveButton();

    QList<QPair<QString, QString>> models;
    Ui::MergeMtmSettings* ui;
};
