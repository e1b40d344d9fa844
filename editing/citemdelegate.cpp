#include "citemdelegate.h"

#include "ctablemodel.h"
#include "decimalpattern.h"

#include <QLineEdit>
#include <QRegExpValidator>

QWidget* CItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                     const QModelIndex& index) const
{
    if (index.column() < CTableModel::ColumnX || index.column() > CTableModel::ColumnZ)
        return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setValidator(new QRegExpValidator(decimalCellPattern(), editor));
    return editor;
}
