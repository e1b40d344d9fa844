#include "mergemtmsettings.h"

#include "ui_mergemtmsettings.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegExpValidator>
#include <QTableWidgetItem>
#include <QVBoxLayout>

namespace {

// What an offset field accepts: an optional minus, digits with up to five decimals or a point
// with one to five decimals, an optional exponent.
const QRegExp offsetPattern(R"(^-?(?:(?:\d+(?:[.]\d{0,5})?)|(?:[.]\d{1,5}))(?:[eE][+-]?\d+)?$)");

const char* const tableStyleSheet =
    "QTableWidget::item:selected { background-color: #e4e4e4; color: black; }"
    "QHeaderView::section {    border-bottom: 1px solid #D0D0D0;    border-top: 0px;    border-right: 1px "
    "solid #D0D0D0;    border-left: 0px;}"
    "QHeaderView::section:last{     border-bottom: 1px solid #D0D0D0;    border-top: 0px;    border-right: "
    "0px;    border-left: 0px;}"
    "QLineEdit { border: none; background: transparent; }";

enum Column { ModelColumn, XColumn, YColumn, ZColumn, ColumnCount };

// A field that does not hold a number yet ("-", "1e" while typing) counts as 0.
double offsetIn(QWidget* cell)
{
    const auto* edit = qobject_cast<QLineEdit*>(cell);
    if (!edit)
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(edit->text(), &ok);
    return ok ? value : 0.0;
}

} // namespace

MergeMtmSettings::MergeMtmSettings(const QList<QPair<QString, QString>>& models, QWidget* parent)
    : QDialog(parent), models(models), ui(new Ui::MergeMtmSettings)
{
    qRegisterMetaType<AnchorPointInfo>();
    qRegisterMetaType<QList<AnchorPointInfo>>();
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);

    QTableWidget* table = ui->anchorTableWidget;
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels({tr("MTM Model"), tr("X (m)"), tr("Y (m)"), tr("Z (m)")});
    table->setColumnWidth(ModelColumn, 207);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setHighlightSections(false);
    table->setStyleSheet(tableStyleSheet);
    // The offset fields are cell widgets: they follow the columns only when told to.
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, table,
            [table] { QMetaObject::invokeMethod(table, "updateEditorGeometries"); });

    fillBaseModelList();
    updateControlsState();

    connect(ui->baseModelCB, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MergeMtmSettings::onBaseModelChanged);
    connect(ui->outpuFilePB, &QPushButton::clicked, this, &MergeMtmSettings::changeMergeOutpuFile);
    connect(ui->addModelPB, &QPushButton::clicked, this, &MergeMtmSettings::onAddModel);
    connect(ui->removePB, &QPushButton::clicked, this, &MergeMtmSettings::onRemoveSelected);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &MergeMtmSettings::startMergeMTM);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &MergeMtmSettings::close);
    connect(table, &QTableWidget::itemSelectionChanged, this, &MergeMtmSettings::updateRemoveButton);
}

MergeMtmSettings::~MergeMtmSettings()
{
    delete ui;
}

void MergeMtmSettings::onBaseModelChanged(int)
{
    proposeOutputFileName();
    updateControlsState();
}

void MergeMtmSettings::fillBaseModelList()
{
    ui->baseModelCB->clear();
    ui->baseModelCB->addItem(tr("-- Select base MTM --"), QString());
    for (const auto& model : models)
        ui->baseModelCB->addItem(QFileInfo(model.first).fileName(), model.first);
}

QString MergeMtmSettings::chosenBase() const
{
    return ui->baseModelCB->currentData().toString();
}

void MergeMtmSettings::updateRemoveButton()
{
    ui->removePB->setEnabled(ui->anchorTableWidget->currentRow() >= 0);
}

void MergeMtmSettings::updateControlsState()
{
    const bool baseChosen = !chosenBase().isEmpty();
    ui->anchorPointsGroup->setEnabled(baseChosen);
    ui->outpuFilePB->setEnabled(baseChosen);
    ui->outpuFileLE->setEnabled(baseChosen);
    updateRemoveButton();
}

void MergeMtmSettings::proposeOutputFileName()
{
    const QString base = chosenBase();
    // A name already there, proposed or chosen, stays.
    if (!ui->outpuFileLE->text().trimmed().isEmpty() || base.isEmpty())
        return;
    const QFileInfo file(base);
    ui->outpuFileLE->setText(file.path() + "/" + file.completeBaseName() + "_merge." + file.suffix());
}

void MergeMtmSettings::changeMergeOutpuFile()
{
    const QString name =
        QFileDialog::getSaveFileName(this, tr("Save MTM"), ui->outpuFileLE->text(), tr("MTM files (*.mtm)"));
    if (!name.isEmpty())
        ui->outpuFileLE->setText(name);
}

void MergeMtmSettings::onAddModel()
{
    // Every model may be anchored, also the base and models already in the table.
    const QList<QPair<QString, QString>>& candidates = models;
    if (candidates.isEmpty()) {
        QMessageBox::information(this, tr("Add MTM"), tr("No MTM models available to add"));
        return;
    }

    QDialog chooser(this);
    chooser.setObjectName("selectModelDialog");
    chooser.setWindowTitle(tr("Select MTM Model"));
    chooser.setWindowFlags(chooser.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(&chooser);
    layout->addWidget(new QLabel(tr("Select MTM model:"), &chooser));
    auto* list = new QListWidget(&chooser);
    list->setObjectName("modelList");
    for (const auto& candidate : candidates) {
        auto* item = new QListWidgetItem(QFileInfo(candidate.first).fileName(), list);
        item->setData(Qt::UserRole, candidate.first);
    }
    list->setCurrentRow(0);
    layout->addWidget(list);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(tr("OK"), &chooser);
    auto* cancel = new QPushButton(tr("Cancel"), &chooser);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, &chooser, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &chooser, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, &chooser, &QDialog::accept);

    if (chooser.exec() != QDialog::Accepted || !list->currentItem())
        return;
    const QString path = list->currentItem()->data(Qt::UserRole).toString();
    for (const auto& candidate : candidates) {
        if (candidate.first == path) {
            const int row = addAnchorRow(candidate.first);
            ui->anchorTableWidget->setCurrentCell(row, ModelColumn);
            break;
        }
    }
    updateRemoveButton();
}

int MergeMtmSettings::addAnchorRow(const QString& path)
{
    QTableWidget* table = ui->anchorTableWidget;
    const int row = table->rowCount();
    table->insertRow(row);
    auto* model = new QTableWidgetItem(QFileInfo(path).fileName());
    model->setData(Qt::UserRole, path);
    model->setFlags(model->flags() & ~Qt::ItemIsEditable);
    table->setItem(row, ModelColumn, model);
    for (int column : {XColumn, YColumn, ZColumn}) {
        auto* edit = new QLineEdit("0");
        edit->setMinimumWidth(70);
        edit->setValidator(new QRegExpValidator(offsetPattern, edit));
        table->setCellWidget(row, column, edit);
    }
    return row;
}

void MergeMtmSettings::onRemoveSelected()
{
    QTableWidget* table = ui->anchorTableWidget;
    if (table->currentRow() < 0)
        return;
    table->removeRow(table->currentRow());
    updateRemoveButton();
}

void MergeMtmSettings::startMergeMTM()
{
    const QString base = chosenBase();
    if (base.isEmpty()) {
        QMessageBox::warning(this, tr("Merge MTM"), tr("Select a base MTM model"));
        return;
    }
    const QString output = ui->outpuFileLE->text().trimmed();
    if (output.isEmpty()) {
        QMessageBox::warning(this, tr("Merge MTM"), tr("Specify the output file name"));
        return;
    }
    QTableWidget* table = ui->anchorTableWidget;
    QList<AnchorPointInfo> anchorPoints;
    for (int row = 0; row < table->rowCount(); ++row) {
        AnchorPointInfo anchor;
        anchor.x = offsetIn(table->cellWidget(row, XColumn));
        anchor.y = offsetIn(table->cellWidget(row, YColumn));
        anchor.z = offsetIn(table->cellWidget(row, ZColumn));
        const QTableWidgetItem* model = table->item(row, ModelColumn);
        anchor.models.append({model->data(Qt::UserRole).toString(), model->text()});
        anchorPoints.append(anchor);
    }
    if (anchorPoints.isEmpty()) {
        QMessageBox::warning(this, tr("Merge MTM"), tr("Add at least one MTM model"));
        return;
    }
    emit readyMergeMTM(output, base, anchorPoints);
    // Nothing uses the dialog after its request.
    hide();
    deleteLater();
}
