// The graph title dialog.
#include "graphs/GraphCaption.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korven {

TfrmGraphCaption::TfrmGraphCaption(const QString& title, bool onTop, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Graph Caption"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter Graph Caption"), this));
    edit_ = new QLineEdit(title, this);
    edit_->setMinimumWidth(320);
    layout->addWidget(edit_);
    auto* group = new QGroupBox(QStringLiteral("Caption Location"), this);
    auto* gl    = new QHBoxLayout(group);
    top_        = new QRadioButton(QStringLiteral("Top"), group);
    auto* bot   = new QRadioButton(QStringLiteral("Bottom"), group);
    gl->addWidget(top_);
    gl->addWidget(bot);
    (onTop ? top_ : bot)->setChecked(true);
    layout->addWidget(group);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

QString TfrmGraphCaption::Title() const { return edit_->text(); }
bool TfrmGraphCaption::OnTop() const { return top_->isChecked(); }

}  // namespace korven
