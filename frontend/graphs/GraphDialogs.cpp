// The small modal dialogs of the graph window.
#include "graphs/GraphDialogs.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

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

namespace {

// Enter in the name field commits instead of closing the dialog
class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                onEnter_();
                return true;
            }
        }
        if (e->type() == QEvent::FocusOut) onEnter_();
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> onEnter_;
};

}  // namespace

TfrmLineNames::TfrmLineNames(const QStringList& names, const std::vector<QColor>& colours,
                             QWidget* parent)
    : QDialog(parent), names_(names), colours_(colours) {
    setWindowTitle(QStringLiteral("Legend"));
    setMinimumSize(195, 167);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);
    layout->addWidget(new QLabel(QStringLiteral("Select line to modify:"), this));
    list_ = new QListWidget(this);
    list_->addItems(names_);
    layout->addWidget(list_);
    layout->addWidget(new QLabel(QStringLiteral("Type new legend below:"), this));
    edit_ = new QLineEdit(this);
    layout->addWidget(edit_);
    auto* row    = new QHBoxLayout;
    auto* ok     = new QPushButton(QStringLiteral("&OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    row->addWidget(ok);
    row->addStretch();
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (Commit()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    edit_->installEventFilter(new EnterFilter(this, [this] { Commit(); }));
    connect(list_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0) current_ = r;
        ShowSelected();
    });
    if (!names_.isEmpty()) list_->setCurrentRow(0);
    ShowSelected();
}

void TfrmLineNames::ShowSelected() {
    if (current_ < 0 || current_ >= names_.size()) return;
    edit_->setText(names_[current_]);
    QPalette pal = edit_->palette();
    if (static_cast<std::size_t>(current_) < colours_.size())
        pal.setColor(QPalette::Text, colours_[static_cast<std::size_t>(current_)]);
    edit_->setPalette(pal);
}

bool TfrmLineNames::Commit() {
    if (current_ < 0 || current_ >= names_.size()) return true;
    const QString text = edit_->text();
    if (text.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("The line must have a name!"));
        ShowSelected();
        return false;
    }
    names_[current_] = text;
    list_->item(current_)->setText(text);
    return true;
}

TfrmActiveLines::TfrmActiveLines(const QStringList& names, const QStringList& marks,
                                 QWidget* parent)
    : QDialog(parent), names_(names), marks_(marks) {
    setWindowTitle(QStringLiteral("Active Curves"));
    setMinimumSize(190, 234);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this));
    auto* heads = new QHBoxLayout;
    heads->addWidget(new QLabel(QStringLiteral("Active :"), this));
    heads->addWidget(new QLabel(QStringLiteral("Curve"), this));
    heads->addStretch();
    layout->addLayout(heads);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(list_);
    auto* toggle = new QPushButton(QStringLiteral("Activate/Desactivate Selected"), this);
    auto* all    = new QPushButton(QStringLiteral("Activate All"), this);
    auto* none   = new QPushButton(QStringLiteral("Desactivate All"), this);
    layout->addWidget(toggle);
    auto* both = new QHBoxLayout;
    both->addWidget(all);
    both->addWidget(none);
    layout->addLayout(both);
    auto* row    = new QHBoxLayout;
    auto* ok     = new QPushButton(QStringLiteral("&OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    row->addWidget(ok);
    row->addStretch();
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(toggle, &QPushButton::clicked, this, &TfrmActiveLines::ToggleSelected);
    connect(all, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Toggle(list_->row(item)); });
    while (marks_.size() < names_.size()) marks_ << kActiveMark;
    for (int i = 0; i < names_.size(); ++i) list_->addItem(QString());
    Refresh();
}

void TfrmActiveLines::Refresh() {
    for (int i = 0; i < names_.size(); ++i)
        list_->item(i)->setText(marks_[i] + QStringLiteral("   ") + names_[i]);
}

void TfrmActiveLines::Toggle(int row) {
    if (row < 0 || row >= marks_.size()) return;
    marks_[row] = marks_[row] == kActiveMark ? kInactiveMark : kActiveMark;
    Refresh();
}

void TfrmActiveLines::ToggleSelected() {
    for (QListWidgetItem* item : list_->selectedItems()) Toggle(list_->row(item));
}

void TfrmActiveLines::SetAll(bool active) {
    for (QString& m : marks_) m = active ? kActiveMark : kInactiveMark;
    Refresh();
}

TdlgFormat::TdlgFormat(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Save Attributes"));
    auto* layout = new QVBoxLayout(this);
    auto* form   = new QFormLayout;
    deHeight     = new QDoubleSpinBox(this);
    deWidth      = new QDoubleSpinBox(this);
    dePPI        = new QSpinBox(this);
    for (QDoubleSpinBox* e : {deHeight, deWidth}) {
        e->setDecimals(3);
        e->setRange(2, 1000);
    }
    deHeight->setValue(4);
    deWidth->setValue(6);
    dePPI->setRange(10, 100000);
    dePPI->setValue(72);
    auto* hl = new QLabel(QStringLiteral("&Height (in)"), this);
    auto* wl = new QLabel(QStringLiteral("&Width (in)"), this);
    auto* pl = new QLabel(QStringLiteral("&Pixels Per Inch"), this);
    hl->setBuddy(deHeight);
    wl->setBuddy(deWidth);
    pl->setBuddy(dePPI);
    form->addRow(hl, deHeight);
    form->addRow(wl, deWidth);
    form->addRow(pl, dePPI);
    layout->addLayout(form);
    // the saved image is always written in full colour; the choice is kept for the user's habit
    auto* colours = new QGroupBox(QStringLiteral("Colors"), this);
    auto* cl      = new QVBoxLayout(colours);
    for (const char* c : {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)",
                          "True Color (24 bit)"}) {
        auto* b = new QRadioButton(QString::fromLatin1(c), colours);
        b->setChecked(QString::fromLatin1(c) == QStringLiteral("16 Colors"));
        cl->addWidget(b);
    }
    layout->addWidget(colours);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

double TdlgFormat::HeightIn() const { return deHeight->value(); }
double TdlgFormat::WidthIn() const { return deWidth->value(); }
int TdlgFormat::Ppi() const { return dePPI->value(); }

}  // namespace korven
