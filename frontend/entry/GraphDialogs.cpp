// The small modal dialogs of the graph window.
#include "GraphDialogs.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "entry/DataEdit.h"
#include "entry/Evaluator.h"
#include "project/Messages.h"

namespace korven {
namespace {

TDataEdit* Field(QWidget* owner, QGridLayout* grid, const char* name, const QString& caption,
                 const QString& units) {
    const int row = grid->rowCount();
    auto* label   = new QLabel(owner);
    auto* field   = new TDataEdit(owner);
    field->setObjectName(QLatin1String(name));
    field->SetEditLabel(label);
    field->SetCaption(caption);
    field->SetUnitsString(units);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

QHBoxLayout* OkCancel(QDialog* dialog, const QString& ok, const QString& cancel) {
    auto* row  = new QHBoxLayout;
    auto* bOk  = new QPushButton(ok, dialog);
    auto* bCan = new QPushButton(cancel, dialog);
    bOk->setObjectName(QStringLiteral("OK"));
    bCan->setObjectName(QStringLiteral("Cancel"));
    bOk->setDefault(true);
    QObject::connect(bOk, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(bCan, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(bOk);
    row->addStretch();
    row->addWidget(bCan);
    return row;
}

}  // namespace

// ---- save attributes ----

TdlgFormat::TdlgFormat(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Save Attributes"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* grid   = new QGridLayout;
    layout->addLayout(grid);
    deHeight = Field(this, grid, "deHeight", QStringLiteral("&Height"), QStringLiteral("in"));
    deWidth  = Field(this, grid, "deWidth", QStringLiteral("&Width"), QStringLiteral("in"));
    dePPI    = Field(this, grid, "dePPI", QStringLiteral("&Pixels Per Inch"), {});
    deHeight->SetMinVal(2);
    deHeight->SetNumber(4);
    deWidth->SetMinVal(2);
    deWidth->SetNumber(6);
    dePPI->SetIntegerOnly(true);
    dePPI->SetMinVal(10);
    dePPI->SetNumber(72);

    auto* group         = new QGroupBox(QStringLiteral("Colors"), this);
    auto* column        = new QVBoxLayout(group);
    Colors              = new QButtonGroup(this);
    const char* names[] = {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)",
                           "True Color (24 bit)"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QRadioButton(QLatin1String(names[i]), group);
        Colors->addButton(b, i);
        column->addWidget(b);
    }
    Colors->button(1)->setChecked(true);  // "16 Colors"; the choice does not change the image
    layout->addWidget(group);
    layout->addLayout(OkCancel(this, QStringLiteral("OK"), QStringLiteral("Cancel")));
}

int TdlgFormat::ColorChoice() const { return Colors->checkedId(); }

QSize TdlgFormat::PixelSize(long double width, long double height, long double ppi) {
    return {static_cast<int>(std::lround(static_cast<double>(ppi * width))),
            static_cast<int>(std::lround(static_cast<double>(ppi * height)))};
}

void TdlgFormat::accept() {
    for (TDataEdit* f : {deHeight, deWidth, dePPI})
        if (!f->Validate()) return;
    // no bitmap beyond what a screen picture can sensibly need: a typo such as 72000 ppi must not
    // ask for gigabytes
    constexpr long double kMaxPixels = 20000;
    const long double ppi            = std::nearbyint(dePPI->Number());
    const QSize size                 = PixelSize(deWidth->Number(), deHeight->Number(), ppi);
    if (ppi * deWidth->Number() > kMaxPixels || ppi * deHeight->Number() > kMaxPixels) {
        reject();
        return;
    }
    FResolution = static_cast<int>(ppi);
    FBitmap     = QImage(size, QImage::Format_RGB32);
    if (FBitmap.isNull()) {
        reject();  // the memory would not hold it
        return;
    }
    const int dotsPerMeter = static_cast<int>(std::lround(FResolution / 0.0254));
    FBitmap.setDotsPerMeterX(dotsPerMeter);
    FBitmap.setDotsPerMeterY(dotsPerMeter);
    QDialog::accept();
}

// ---- legend names ----

namespace {

// Leaving the edit field puts its text into the list, as Enter does.
class TLegendEdit : public QLineEdit {
public:
    TLegendEdit(TfrmLineNames* owner) : QLineEdit(owner), FOwner(owner) {}

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (event->reason() != Qt::ActiveWindowFocusReason
            && event->reason() != Qt::PopupFocusReason)
            FOwner->TakeEdit();
    }

private:
    TfrmLineNames* FOwner;
};

}  // namespace

TfrmLineNames::TfrmLineNames(QStringList& names, std::vector<QColor> palette, QWidget* parent)
    : QDialog(parent), FNames(names), FPalette(std::move(palette)) {
    setWindowTitle(QStringLiteral("Legend"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);
    layout->addWidget(new QLabel(QStringLiteral("Select line to modify:"), this));
    List = new QListWidget(this);
    List->setObjectName(QStringLiteral("List"));
    List->addItems(names);
    layout->addWidget(List, 1);
    layout->addWidget(new QLabel(QStringLiteral("Type new legend below:"), this));
    Edit = new TLegendEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    layout->addWidget(Edit);
    layout->addLayout(OkCancel(this, QStringLiteral("&OK"), QStringLiteral("&Cancel")));
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    connect(List, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
    connect(Edit, &QLineEdit::returnPressed, this, &TfrmLineNames::TakeEdit);
    if (List->count() > 0) List->setCurrentRow(0);
    setMinimumSize(195, 167);
}

void TfrmLineNames::ShowSelected() {
    const int row = List->currentRow();
    if (row < 0) return;
    Edit->setText(List->item(row)->text());
    QPalette p = Edit->palette();
    p.setColor(QPalette::Text, FPalette.empty()
                                   ? QColor(Qt::black)
                                   : FPalette[static_cast<std::size_t>(row) % FPalette.size()]);
    Edit->setPalette(p);
}

void TfrmLineNames::TakeEdit() {
    const int row = List->currentRow();
    if (row < 0) return;
    if (Edit->text().isEmpty()) {
        ShowMessage(this, TMsgKind::Information, QStringLiteral("The line must have a name!"));
        Edit->setText(List->item(row)->text());
        return;
    }
    List->item(row)->setText(Edit->text());
}

void TfrmLineNames::done(int result) {
    for (int i = 0; i < List->count() && i < FNames.size(); ++i) FNames[i] = List->item(i)->text();
    QDialog::done(result);
}

// ---- active curves ----

TfrmActiveLines::TfrmActiveLines(const QStringList& names, const QStringList& marks,
                                 QWidget* parent)
    : QDialog(parent), FNames(names), FMarks(marks) {
    setWindowTitle(QStringLiteral("Active Curves"));
    setModal(true);
    while (FMarks.size() < FNames.size()) FMarks << QLatin1String(kYes);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this));
    auto* headings = new QHBoxLayout;
    headings->addWidget(new QLabel(QStringLiteral("Active :"), this));
    headings->addWidget(new QLabel(QStringLiteral("Curve"), this), 1);
    layout->addLayout(headings);
    List = new QListWidget(this);
    List->setObjectName(QStringLiteral("List"));
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(List, 1);
    auto* toggle = new QPushButton(QStringLiteral("Activate/Desactivate Selected"), this);
    auto* all    = new QPushButton(QStringLiteral("Activate All"), this);
    auto* none   = new QPushButton(QStringLiteral("Desactivate All"), this);
    toggle->setObjectName(QStringLiteral("ToggleSelected"));
    all->setObjectName(QStringLiteral("ActivateAll"));
    none->setObjectName(QStringLiteral("DeactivateAll"));
    for (QPushButton* b : {toggle, all, none}) layout->addWidget(b);
    layout->addLayout(OkCancel(this, QStringLiteral("&OK"), QStringLiteral("&Cancel")));
    connect(toggle, &QPushButton::clicked, this, &TfrmActiveLines::ToggleSelected);
    connect(all, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(List, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Toggle(List->row(item)); });
    Refill();
    setMinimumSize(190, 234);
}

void TfrmActiveLines::Refill() {
    for (int i = 0; i < FNames.size(); ++i) {
        const QString text = FMarks[i] + QStringLiteral("   ") + FNames[i];
        if (i < List->count())
            List->item(i)->setText(text);
        else
            List->addItem(text);
    }
}

void TfrmActiveLines::Toggle(int row) {
    if (row < 0 || row >= FMarks.size()) return;
    FMarks[row] = FMarks[row] == QLatin1String(kYes) ? QLatin1String(kNo) : QLatin1String(kYes);
    Refill();
}

void TfrmActiveLines::ToggleSelected() {
    for (QListWidgetItem* item : List->selectedItems()) Toggle(List->row(item));
}

void TfrmActiveLines::SetAll(bool active) {
    for (QString& m : FMarks) m = QLatin1String(active ? kYes : kNo);
    Refill();
}

}  // namespace korven
