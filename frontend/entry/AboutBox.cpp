// The About window.
#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/MainRules.h"

namespace korven {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About KORVEN"));
    auto* layout  = new QVBoxLayout(this);
    auto* product = new QLabel(QStringLiteral("KORVEN"), this);
    QFont big     = product->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    product->setFont(big);
    product->setObjectName(QStringLiteral("ProductName"));
    auto* version = new QLabel(QStringLiteral("Version ") + QLatin1String(kVersionString), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* text = new QLabel(
        QStringLiteral("A program for analyzing the axial capacity and short-term settlement of "
                       "drilled shafts under axial loading."),
        this);
    text->setObjectName(QStringLiteral("Comments"));
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
}

}  // namespace korven
