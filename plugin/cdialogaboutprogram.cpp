#include "cdialogaboutprogram.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QTextStream>
#include <QVBoxLayout>

namespace {
const char* const versionFile = "../Kalmeno/version.txt";
}

CDialogAboutProgram::CDialogAboutProgram(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("CDialogAboutProgram");
    setWindowTitle(tr("About Kalmeno"));
    const QIcon icon(":/menu/icons/Kalmeno.ico");
    setWindowIcon(icon);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName("labelIcon");
    iconLabel->setPixmap(icon.pixmap(64, 64));
    iconLabel->setAlignment(Qt::AlignTop);

    auto* nameLabel = new QLabel(tr("Kalmeno"), this);
    nameLabel->setObjectName("labelName");
    QFont nameFont = nameLabel->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    nameLabel->setFont(nameFont);

    const QString version = readVersion(versionFile);
    auto* versionLabel = new QLabel(version.isEmpty() ? tr("Version unknown") : tr("Version %1").arg(version), this);
    versionLabel->setObjectName("labelVersion");
    versionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* platformLabel = new QLabel(tr("Built for the %1 platform").arg(QSysInfo::buildCpuArchitecture()), this);
    platformLabel->setObjectName("labelPlatform");

    auto* texts = new QVBoxLayout;
    texts->addWidget(nameLabel);
    texts->addWidget(versionLabel);
    texts->addWidget(platformLabel);
    texts->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(iconLabel);
    body->addSpacing(16);
    body->addLayout(texts);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName("pushButtonClose");
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CDialogAboutProgram::readVersion(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // A version is one short line; never read more of a file that is something else.
    return QString::fromUtf8(file.readLine(256)).trimmed();
}
