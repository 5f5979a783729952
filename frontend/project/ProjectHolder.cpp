// The project, tables, graphs and dialogs of the main window.
#include "ProjectHolder.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "entry/AboutBox.h"
#include "project/MainForm.h"
#include "project/MainRules.h"

namespace korven {

TProjectHolder::TProjectHolder(TMainForm& form) : FForm(form), FFileName(kUntitledName) {}

TProjectHolder::~TProjectHolder() = default;

QString TProjectHolder::FileName() const { return FFileName; }
void TProjectHolder::SetFileName(const QString& fileName) { FFileName = fileName; }
int TProjectHolder::Units() const { return FUnits; }
void TProjectHolder::SetUnits(int units) { FUnits = units <= 1 ? 1 : 2; }
int TProjectHolder::DesignMethod() const { return FDesignMethod; }
void TProjectHolder::SetDesignMethod(int method) { FDesignMethod = method; }
void TProjectHolder::SetDesignControl(int control) { FDesignControl = control; }
int TProjectHolder::SettlementAvailable() const { return FSettlementAvailable; }
bool TProjectHolder::TablesChanged() const { return false; }

void TProjectHolder::NewProject() {
    CloseChildren();
    FFileName     = QLatin1String(kUntitledName);
    FUnits        = 1;
    FDesignMethod = 2;
}

void TProjectHolder::LoadProject(const QString& path, bool) { FFileName = path; }

bool TProjectHolder::SaveProject(QString&) { return true; }

bool TProjectHolder::LoadPlots(const QString&, bool) { return false; }

void TProjectHolder::ShowLrfdColumns(bool) {}

void TProjectHolder::CloseChildren() {
    for (QMdiSubWindow* w : FForm.MdiArea()->subWindowList()) {
        w->close();
        delete w;
    }
}

void TProjectHolder::ShowTitle() {}
void TProjectHolder::ShowShaft() {}
void TProjectHolder::ShowSoilTable() {}
void TProjectHolder::ShowSafety() {}
void TProjectHolder::ShowWater() {}
void TProjectHolder::ShowOptions() {}
void TProjectHolder::ShowLength() {}
void TProjectHolder::ShowLoad() {}
void TProjectHolder::CloseLengthDialog() {}
void TProjectHolder::CloseLoadDialog() {}

void TProjectHolder::ShowAbout() {
    TAboutBox box(&FForm);
    box.exec();
}

}  // namespace korven
