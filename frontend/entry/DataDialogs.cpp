// The data dialogs.
#include "DataDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "entry/Evaluator.h"
#include "entry/JpegImage.h"
#include "project/Messages.h"
#include "project/ProgramData.h"

namespace korven {
namespace {

QPixmap BelledShaftPicture(QString& error) {
    QFile file(QStringLiteral(":/korven/belled-shaft.jpg"));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("the illustration is missing");
        return {};
    }
    const QByteArray bytes = file.readAll();
    TRgbImage image;
    std::string why;
    if (!DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()), image, why)) {
        error = QString::fromStdString(why);
        return {};
    }
    const QImage view(image.Pixels.data(), image.Width, image.Height, image.Width * 3,
                      QImage::Format_RGB888);
    return QPixmap::fromImage(view.copy());
}

}  // namespace

// ---- the common part ----

TDataDialog::TDataDialog(TProgramData& project, const QString& caption, QWidget* parent)
    : QWidget(parent), FProject(project) {
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    FLayout = new QVBoxLayout(this);
    FGrid   = new QGridLayout;
    FGrid->setHorizontalSpacing(10);
    FLayout->addLayout(FGrid);
}

TDataEdit* TDataDialog::AddField(const char* name, const QString& caption, const QString& units,
                                 const QString& hint, const QString& note) {
    const int row = FGrid->rowCount();
    auto* label   = new QLabel(this);
    auto* field   = new TDataEdit(this);
    field->setObjectName(QLatin1String(name));
    field->SetEditLabel(label);
    field->SetCaption(caption);
    field->SetUnitsString(units);
    field->setMinimumWidth(110);
    if (!hint.isEmpty()) field->setToolTip(hint);
    FGrid->addWidget(label, row, 0);
    FGrid->addWidget(field, row, 1);
    if (!note.isEmpty()) FGrid->addWidget(new QLabel(note, this), row, 2);
    connect(field, &QLineEdit::textEdited, this, [this] { MarkModified(); });
    FFields.push_back(field);
    return field;
}

long double TDataDialog::ValueOf(const TDataEdit* field, long double previous) {
    try {
        return field->Number();
    } catch (const EAssignError&) {
        return previous;
    }
}

void TDataDialog::MarkModified() { FProject.Modified = true; }

void TDataDialog::FormActivate() {
    for (TDataEdit* f : FFields) f->SetUnits(FProject.Units);
    Load();
}

bool TDataDialog::ActiveFieldValid() {
    auto* field = qobject_cast<TDataEdit*>(focusWidget());
    return !field || field->Validate();
}

bool TDataDialog::FormDeactivate() {
    if (!ActiveFieldValid()) return false;
    Store();
    return true;
}

void TDataDialog::closeEvent(QCloseEvent* event) {
    if (ValidatesOnClose() && !ActiveFieldValid()) {
        event->ignore();
        return;
    }
    Store();
    event->accept();
}

// ---- title ----

TdlgTitle::TdlgTitle(TProgramData& project, QWidget* parent)
    : TDataDialog(project, QStringLiteral("Project Title"), parent) {
    setObjectName(QStringLiteral("dlgTitle"));
    FLayout->insertWidget(
        0, new QLabel(QStringLiteral("Enter line of text for project description:"), this));
    TitleMemo = new QLineEdit(this);
    TitleMemo->setObjectName(QStringLiteral("TitleMemo"));
    TitleMemo->setMaxLength(80);
    TitleMemo->setMinimumWidth(480);
    FLayout->insertWidget(1, TitleMemo);
    Load();
}

void TdlgTitle::Load() { TitleMemo->setText(QString::fromStdString(Project().Title)); }

void TdlgTitle::Store() {
    const std::string text = TitleMemo->text().toStdString();
    if (text == Project().Title) return;
    Project().Title = text;
    MarkModified();
}

// ---- drilled-shaft properties ----

QString TfrmShaftpeneta::NoteText() {
    return QStringLiteral(
        "Shaft diameter, B, is automatically incremented in 6-inch or 0.15 m increments between "
        "the specified minimum \n"
        "and maximum diameters.\n"
        "\n"
        "For shafts in cohesive soils, the upper exclusion zone, Lue, is used to eliminate side "
        "resistance lost due to \n"
        "desiccation cracking and the lower exclusion zone, Lle, is used to account for side "
        "resistance lost due to horizontal \n"
        "stress loss under loading.  \n"
        "\n"
        "For shafts in cohesive soils, the lower exclusion zone for side resistance are usually "
        "not used for uplift loading.  \n"
        "\n"
        "No exclusion zones are used for shafts in cohesionless soils, nor can bells be specified "
        "for shafts in cohesionless \n"
        "soils or in cohesionless soils or rock.");
}

TfrmShaftpeneta::TfrmShaftpeneta(TProgramData& project, QWidget* parent)
    : TDataDialog(project, QStringLiteral("Drilled-Shaft Properties"), parent) {
    setObjectName(QStringLiteral("frmShaftpeneta"));
    DataEdit1 =
        AddField("DataEdit1", QStringLiteral("Minimum Shaft Diameter, B, to be Considered"),
                 QStringLiteral("L2"), QStringLiteral("Practical minimum value is 2 ft or 0.6 m"));
    DataEdit1->SetMaxVal(30);
    DataEdit1->SetNumber(2.0L);
    DataEdit2 =
        AddField("DataEdit2", QStringLiteral("Maximum Shaft Diameter, B, to be Considered"),
                 QStringLiteral("L2"), QStringLiteral("Practical maximum is 12 ft or 3.6 m"),
                 QStringLiteral("(Enter 0 if same as minimum)"));
    DataEdit2->SetMaxVal(30);
    DataEdit2->SetNumber(2.0L);
    DataEdit3 =
        AddField("DataEdit3", QStringLiteral("&Ratio of Base Diameter to Shaft Diameter,  Bb/B"),
                 {}, QStringLiteral("Usual value for belled shafts is 3"),
                 QStringLiteral("(Enter 0 for straight shaft)"));
    DataEdit3->SetMaxVal(10);
    DataEdit4 = AddField(
        "DataEdit4", QStringLiteral("&Angle of Bell with Respect to Vertical,  Ang "),
        QStringLiteral("deg"), QStringLiteral("Usual value for belled shafts is 45 degrees"),
        QStringLiteral("(Enter 0 for straight shaft)"));
    DataEdit4->SetMaxVal(90);
    DataEdit5 = AddField(
        "DataEdit5", QStringLiteral("Length of &Upper Exclusion Zone without Skin Friction, Lue"),
        QStringLiteral("L2"));
    DataEdit5->SetNumber(5.0L);
    DataEdit6 = AddField(
        "DataEdit6", QStringLiteral("Lenght of Bottom Portion of Shaft without Skin Friction, Lle"),
        QStringLiteral("L2"),
        QStringLiteral("From top of bell for belled shafts or from base for straight "
                       "shafts"));
    DataEdit6->SetMaxVal(100);
    DataEdit6->SetNumber(1.0L);
    DataEdit7 = AddField("DataEdit7", QStringLiteral("&Modulus of Elasticity of Drilled Shaft "),
                         QStringLiteral("F/L\u00B2"));
    DataEdit7->SetMaxVal(3e8L);

    // the picture stands at the left of the fields and the note, so the dialog stays low
    QGridLayout* fields = FGrid;
    FLayout->removeItem(fields);
    fields->setParent(nullptr);
    auto* body    = new QHBoxLayout;
    auto* right   = new QVBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture"));
    QString error;
    const QPixmap pixmap = BelledShaftPicture(error);
    if (pixmap.isNull())
        picture->setText(QStringLiteral("(picture not available: %1)").arg(error));
    else
        picture->setPixmap(pixmap.scaledToHeight(330, Qt::SmoothTransformation));
    picture->setFrameShape(QFrame::Box);
    auto* note = new QLabel(NoteText(), this);
    note->setObjectName(QStringLiteral("Note"));
    note->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    body->addWidget(picture, 0, Qt::AlignTop);
    right->addLayout(fields);
    right->addSpacing(8);
    right->addWidget(note, 1);
    body->addLayout(right, 1);
    FLayout->addLayout(body);
}

void TfrmShaftpeneta::Load() {
    TProgramData& p = Project();
    DataEdit1->SetNumber(p.MinDiameter);
    DataEdit2->SetNumber(p.MaxDiameter);
    DataEdit3->SetNumber(p.BellRatio);
    DataEdit4->SetNumber(p.BellAngle);
    DataEdit5->SetNumber(p.TopExclusion);
    DataEdit6->SetNumber(p.BottomExclusion);
    DataEdit7->SetNumber(p.ShaftModulus);
}

void TfrmShaftpeneta::Store() {
    TProgramData& p   = Project();
    p.MinDiameter     = ValueOf(DataEdit1, p.MinDiameter);
    p.MaxDiameter     = ValueOf(DataEdit2, p.MaxDiameter);
    p.BellRatio       = ValueOf(DataEdit3, p.BellRatio);
    p.BellAngle       = ValueOf(DataEdit4, p.BellAngle);
    p.TopExclusion    = ValueOf(DataEdit5, p.TopExclusion);
    p.BottomExclusion = ValueOf(DataEdit6, p.BottomExclusion);
    p.ShaftModulus    = ValueOf(DataEdit7, p.ShaftModulus);
}

// ---- water table ----

TfrmWaterDepth::TfrmWaterDepth(TProgramData& project, QWidget* parent)
    : TDataDialog(project, QStringLiteral("Water Table"), parent) {
    setObjectName(QStringLiteral("frmWaterDepth"));
    DataEdit1 =
        AddField("DataEdit1", QStringLiteral("&Depth of water table"), QStringLiteral("L2"));
}

void TfrmWaterDepth::Load() { DataEdit1->SetNumber(Project().WaterTableDepth); }

void TfrmWaterDepth::Store() {
    Project().WaterTableDepth = ValueOf(DataEdit1, Project().WaterTableDepth);
}

// ---- design length and design load ----

TLoadingDialog::TLoadingDialog(TProgramData& project, const QString& caption, QWidget* parent)
    : TDataDialog(project, caption, parent) {}

void TLoadingDialog::AddLoadingGroup() {
    auto* group  = new QGroupBox(QStringLiteral("Type of Loading"), this);
    auto* layout = new QGridLayout(group);
    OptStatic    = new QRadioButton(QStringLiteral("C&ompression"), group);
    OptCyclic    = new QRadioButton(QStringLiteral("&Uplift "), group);
    OptStatic->setObjectName(QStringLiteral("OptStatic"));
    OptCyclic->setObjectName(QStringLiteral("OptCyclic"));
    auto* label = new QLabel(group);
    deRCYCL     = new TDataEdit(group);
    deRCYCL->setObjectName(QStringLiteral("deRCYCL"));
    deRCYCL->SetEditLabel(label);
    deRCYCL->SetCaption(QStringLiteral("&Reduction factor for uplift loading"));
    deRCYCL->SetMaxVal(1);
    deRCYCL->SetNumber(1.0L);
    connect(deRCYCL, &QLineEdit::textEdited, this, [this] { MarkModified(); });
    layout->addWidget(OptStatic, 0, 0);
    layout->addWidget(OptCyclic, 1, 0);
    layout->addWidget(label, 2, 0);
    layout->addWidget(deRCYCL, 2, 1);
    FLayout->addWidget(group);
    connect(OptStatic, &QRadioButton::clicked, this, [this] {
        deRCYCL->setEnabled(false);
        MarkModified();
    });
    connect(OptCyclic, &QRadioButton::clicked, this, [this] {
        deRCYCL->setEnabled(true);
        MarkModified();
    });
}

void TLoadingDialog::LoadLoading() {
    const bool compression = Project().LoadType == 1;
    OptStatic->setChecked(compression);
    OptCyclic->setChecked(!compression);
    deRCYCL->setEnabled(!compression);
    if (!compression) deRCYCL->SetNumber(Project().UpliftReductionFactor);
}

void TLoadingDialog::StoreLoading() {
    TProgramData& p = Project();
    if (OptCyclic->isChecked()) {
        p.LoadType              = 2;
        p.UpliftReductionFactor = ValueOf(deRCYCL, p.UpliftReductionFactor);
    } else {
        p.LoadType              = 1;
        p.UpliftReductionFactor = 1.0L;
    }
}

TfrmPenetration::TfrmPenetration(TProgramData& project, QWidget* parent)
    : TLoadingDialog(project, QStringLiteral("Drilled Shaft Length"), parent) {
    setObjectName(QStringLiteral("frmPenetration"));
    DataEdit1 =
        AddField("DataEdit1", QStringLiteral("Enter the proposed &length"), QStringLiteral("L2"));
    AddLoadingGroup();
}

void TfrmPenetration::Load() {
    DataEdit1->SetNumber(Project().DesignLength);
    LoadLoading();
}

void TfrmPenetration::Store() {
    TProgramData& p = Project();
    p.DesignLength  = ValueOf(DataEdit1, p.DesignLength);
    if (p.DesignLength > 0) p.DesignLoad = 0;
    StoreLoading();
}

TfrmDesignLoad::TfrmDesignLoad(TProgramData& project, QWidget* parent)
    : TLoadingDialog(project, QStringLiteral("Specification of Design Load"), parent) {
    setObjectName(QStringLiteral("frmDesignLoad"));
    DataEditL =
        AddField("DataEditL", QStringLiteral("Enter the &design load"), QStringLiteral("F2"));
    AddLoadingGroup();
}

void TfrmDesignLoad::Load() {
    DataEditL->SetNumber(Project().DesignLoad);
    LoadLoading();
}

void TfrmDesignLoad::Store() {
    TProgramData& p = Project();
    p.DesignLoad    = ValueOf(DataEditL, p.DesignLoad);
    if (p.DesignLoad > 0) p.DesignLength = 0;
    StoreLoading();
}

// ---- factors of safety ----

TfrmSafetyFactor::TfrmSafetyFactor(TProgramData& project, QWidget* parent)
    : TDataDialog(project, QStringLiteral("Factor of Safety (F.S.)"), parent) {
    setObjectName(QStringLiteral("frmSafetyFactor"));
    DataEdit1 = AddField("DataEdit1",
                         QStringLiteral("The F.S. applied to the ultimate &side friction"), {});
    DataEdit1->SetNumber(2.5L);
    DataEdit2 = AddField("DataEdit2",
                         QStringLiteral("The F.S. applied to the ultimate &base capacity"), {});
    DataEdit2->SetNumber(2.5L);
}

void TfrmSafetyFactor::Load() {
    DataEdit1->SetNumber(Project().SafetyFactorSide);
    DataEdit2->SetNumber(Project().SafetyFactorBase);
}

void TfrmSafetyFactor::Store() {
    Project().SafetyFactorSide = ValueOf(DataEdit1, Project().SafetyFactorSide);
    Project().SafetyFactorBase = ValueOf(DataEdit2, Project().SafetyFactorBase);
}

// ---- control options ----

TDlgOptions::TDlgOptions(TProgramData& project, QString& textEditor, QWidget* parent)
    : TDataDialog(project, QStringLiteral("Control Options"), parent), FTextEditor(textEditor) {
    setObjectName(QStringLiteral("DlgOptions"));
    auto* editorRow = new QHBoxLayout;
    auto* label     = new QLabel(QStringLiteral("&Text Editor:"), this);
    EdtWord         = new QLineEdit(this);
    EdtWord->setObjectName(QStringLiteral("EdtWord"));
    EdtWord->setMinimumWidth(260);
    label->setBuddy(EdtWord);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("Browse"));
    editorRow->addWidget(label);
    editorRow->addWidget(EdtWord, 1);
    editorRow->addWidget(browse);
    FLayout->insertLayout(0, editorRow);
    connect(browse, &QPushButton::clicked, this, [this] {
        int filter           = 0;
        const QString chosen = AskOpenFileName(
            this, QStringLiteral("Text Editor"), EdtWord->text(),
            {QStringLiteral("Programs (*)"), QStringLiteral("All Files (*.*)")}, filter);
        if (!chosen.isEmpty()) EdtWord->setText(chosen);
    });
    DataEdit1 = AddField("DataEdit1", QStringLiteral("Output Increment"), QStringLiteral("L2"));
    TipReduction =
        new QCheckBox(QStringLiteral("Apply modification factor for tip resistance in sand"), this);
    TipReduction->setObjectName(QStringLiteral("TipReduction"));
    TipReduction->setChecked(true);
    connect(TipReduction, &QCheckBox::clicked, this, [this] { MarkModified(); });
    FLayout->addWidget(TipReduction);
}

void TDlgOptions::Load() {
    EdtWord->setText(FTextEditor);
    DataEdit1->SetNumber(Project().PrintIncrement);
    TipReduction->setChecked(Project().TipReductionSwitch == 1);
}

void TDlgOptions::Store() {
    FTextEditor                  = EdtWord->text();
    Project().PrintIncrement     = ValueOf(DataEdit1, Project().PrintIncrement);
    Project().TipReductionSwitch = TipReduction->isChecked() ? 1 : 0;
}

}  // namespace korven
