// The project, tables, graphs and dialogs of the main window.
#include "ProjectHolder.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "entry/AboutBox.h"
#include "entry/DataDialogs.h"
#include "entry/TableForm.h"
#include "project/MainForm.h"
#include "project/Messages.h"
#include "project/PlotInput.h"

namespace korven {

TProjectHolder::TProjectHolder(TMainForm& form) : FForm(form) {
    Tables.ShowDesignMethod(Project.DesignMethod);
    Project.OnSetUnits = [this] { UnitsChanged(); };
}

TProjectHolder::~TProjectHolder() = default;

void TProjectHolder::SetUnits(int units) {
    // What the user typed goes into the project before it is converted; the project then tells
    // the open windows (below) to show the converted values.
    FForm.ActiveChildStoreEdits();
    Project.SetUnits(units);
}

void TProjectHolder::UnitsChanged() {
    // the dialogs first, before anything can make one of them store its old texts again
    for (QPointer<TDataDialog>* d : {&Shaft, &Safety, &Length, &Load, &Water})
        if (*d) (*d)->FormActivate();
    for (QMdiSubWindow* w : FForm.MdiArea()->subWindowList()) {
        if (auto* table = qobject_cast<TTableForm*>(w->widget())) table->Redisplay();
    }
}

void TProjectHolder::SetDesignMethod(int method) {
    Project.DesignMethod = method;
    Project.Modified     = true;
    ShowLrfdColumns(method == 1);
}

void TProjectHolder::ShowLrfdColumns(bool show) {
    Tables.ShowDesignMethod(show ? 1 : 2);
    if (TTableForm* f = TTableForm::WindowOf(Tables.SoilLayers())) {
        f->Redisplay();
        f->FitToContents();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget())) sub->adjustSize();
    }
}

void TProjectHolder::NewProject() {
    CloseChildren();
    Project.Create();
}

bool TProjectHolder::LoadProject(const QString& path, bool currentFormat) {
    CloseChildren();
    const TFileResult result = Project.LoadFromFile(path.toStdString(), currentFormat);
    if (result) return true;
    ShowMessage(&FForm, TMsgKind::Information, QString::fromStdString(result.Message));
    Project.FileName = TProgramData::kUntitled;
    return false;
}

bool TProjectHolder::SaveProject(QString& error) {
    const TFileResult result = Project.SaveToFile();
    if (!result) error = QString::fromStdString(result.Message);
    return result.Ok;
}

bool TProjectHolder::LoadPlots(const QString& plotFile, bool showError) {
    TPlotProject values                 = PlotProjectOf(Project);
    const std::vector<TLayerRow> layers = LayerRowsOf(Project);
    const bool ok               = Graphs.LoadPlotData(plotFile.toStdString(), values, layers);
    Project.SettlementAvailable = values.SettlementAvailable;
    if (ok && FForm.OnPlotsLoaded) FForm.OnPlotsLoaded(FForm);
    if (!ok && showError) ShowMessage(&FForm, TMsgKind::Error, QString::fromLatin1(kPlotLoadError));
    return ok;
}

void TProjectHolder::CloseChildren() {
    // every child edits the project or shows its tables: all go without questions
    TTableForm::CloseWindowsBelow(Tables.SoilLayers(), true);
    for (QMdiSubWindow* w : FForm.MdiArea()->subWindowList()) {
        if (auto* d = qobject_cast<TDataDialog*>(w->widget()))
            d->setAttribute(Qt::WA_DeleteOnClose);
        delete w;
    }
}

template <class D, class... A>
D* TProjectHolder::Show(QPointer<TDataDialog>& slot, A&&... args) {
    // a child whose entry is wrong keeps the front: the new dialog is not even made
    QMdiSubWindow* active = FForm.MdiArea()->activeSubWindow();
    const bool inFront    = active && slot && active->widget() == slot.data();
    if (!inFront && !FForm.ActiveChildStoreEdits()) return nullptr;
    if (!slot) slot = new D(Project, std::forward<A>(args)...);
    FForm.ShowChild(slot);
    return static_cast<D*>(slot.data());
}

void TProjectHolder::Close(QPointer<TDataDialog>& slot) {
    if (!slot) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(slot->parentWidget());
    // the deletion comes later; the dialog counts as gone once it closed
    if (sub ? sub->close() : slot->close()) slot = nullptr;
}

void TProjectHolder::ShowTitle() { Show<TdlgTitle>(Title); }
void TProjectHolder::ShowShaft() { Show<TfrmShaftpeneta>(Shaft); }
void TProjectHolder::ShowSafety() { Show<TfrmSafetyFactor>(Safety); }
void TProjectHolder::ShowWater() { Show<TfrmWaterDepth>(Water); }
void TProjectHolder::ShowOptions() { Show<TDlgOptions>(Options, FForm.TextEditor); }
void TProjectHolder::ShowLength() { Show<TfrmPenetration>(Length); }
void TProjectHolder::ShowLoad() { Show<TfrmDesignLoad>(Load); }
void TProjectHolder::CloseLengthDialog() { Close(Length); }
void TProjectHolder::CloseLoadDialog() { Close(Load); }

void TProjectHolder::ShowSoilTable() { ShowTable(Tables.SoilLayers()); }

TTableForm* TProjectHolder::ShowTable(TGridTable& table) {
    TTableForm* form = TTableForm::WindowOf(table);
    if (!form && !FForm.ActiveChildStoreEdits()) return nullptr;
    if (!form) {
        form = new TTableForm(table, false, [this](TGridTable& sub) { ShowTable(sub); });
        form->setAttribute(Qt::WA_DeleteOnClose);
    }
    FForm.ShowChild(form);
    return form;
}

void TProjectHolder::ShowAbout() {
    TAboutBox box(&FForm);
    box.exec();
}

}  // namespace korven
