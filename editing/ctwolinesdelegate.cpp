#include "ctwolinesdelegate.h"

#include "decimalpattern.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegExpValidator>

namespace {

constexpr QLatin1String separator("; ");

// The fields are the first and second item of the container's layout.
QLineEdit* field(QWidget* editor, int position)
{
    QLayout* layout = editor ? editor->layout() : nullptr;
    QLayoutItem* item = layout ? layout->itemAt(position) : nullptr;
    return item ? qobject_cast<QLineEdit*>(item->widget()) : nullptr;
}

} // namespace

CTwoLinesDelegate::~CTwoLinesDelegate() = default;

QWidget* CTwoLinesDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& /*index*/) const
{
    auto* editor = new QWidget(parent);
    editor->setStyleSheet(QStringLiteral("background-color: white"));
    auto* layout = new QHBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* validator = new QRegExpValidator(decimalCellPattern(), editor);
    for (int i = 0; i < 2; ++i) {
        auto* line = new QLineEdit(editor);
        line->setValidator(validator);
        layout->addWidget(line);
    }
    editor->setGeometry(option.rect);
    return editor;
}

void CTwoLinesDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QStringList parts =
        index.data(Qt::EditRole).toString().split(separator, Qt::KeepEmptyParts);
    if (QLineEdit* real = field(editor, 0))
        real->setText(parts.value(0));
    if (QLineEdit* imag = field(editor, 1))
        imag->setText(parts.value(1));
}

void CTwoLinesDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const
{
    QLineEdit* real = field(editor, 0);
    QLineEdit* imag = field(editor, 1);
    if (!real || !imag || !model)
        return;
    model->setData(index, real->text() + separator + imag->text(), Qt::EditRole);
}
