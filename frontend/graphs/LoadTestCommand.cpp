// The load test of the main window's settlement graphs.
#include "graphs/LoadTestCommand.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QSaveFile>

#include "graphs/LoadTestOverlay.h"
#include "graphs/PlotForm.h"
#include "project/MainForm.h"
#include "project/Messages.h"
#include "project/ProgramData.h"

namespace korven {

namespace {

TDiameterChooser& Chooser() {
    static TDiameterChooser chooser;
    return chooser;
}

int AskDiameter(TMainForm& form, const QStringList& names, int current) {
    if (Chooser()) return Chooser()(names, current);
    bool ok            = false;
    const QString item = QInputDialog::getItem(&form, QStringLiteral("Load Test"),
                                               QStringLiteral("Compare with the shaft of"), names,
                                               current, false, &ok);
    return ok ? static_cast<int>(names.indexOf(item)) : -1;
}

// the predicted curves of the run, one per diameter
QStringList DiameterNames(const TResultGraphs& g) {
    QStringList names;
    for (int i = 0; i < g.pltAxial.LineCount(); ++i)
        if (!g.pltAxial.Curve(i).Measured) names << g.pltAxial.Curve(i).DisplayName();
    return names;
}

void RefreshWindows(TMainForm& form) {
    TResultGraphs& g = form.Graphs();
    for (TGraphPlot* p : {&g.pltAxial, &g.pltUpper, &g.pltLower, &g.pltCombinedSettle})
        if (TPlotForm* open = GraphWindow(*p)) open->Reload();
}

// draws `test` at the run's diameter `index`; false with `error`
bool Draw(TMainForm& form, const TLoadTest& test, int index, QString& error) {
    const TProgramData& p = form.Project();
    TResultGraphs& g      = form.Graphs();
    const long double d   = RunDiameter(index, p.MinDiameter, p.Units);
    std::vector<TCurvePoint> measured;
    std::string why;
    if (!MeasuredCurve(test, p.Units, d, p.ShaftModulus, measured, why)) {
        error = QString::fromStdString(why);
        return false;
    }
    const TCriterionTable table =
        CriterionTable(g, measured, index, d, p.Units, p.SettlementAvailable != 0);
    ApplyLoadTest(g, QString::fromStdString(test.Name), measured, table, index);
    RefreshWindows(form);
    return true;
}

}  // namespace

void SetDiameterChooser(TDiameterChooser chooser) { Chooser() = std::move(chooser); }

void LoadTestClick(TMainForm& form) {
    if (!form.ResultsLoaded) return;
    int filter         = 0;
    const QString path = AskOpenFileName(
        &form, QStringLiteral("Load Test"), QFileInfo(form.ProjectFileName()).absolutePath(),
        {QStringLiteral("Load test (*.csv)"), QStringLiteral("All File(*.*)")}, filter);
    if (path.isEmpty()) return;
    TLoadTestRead read = ReadLoadTest(path.toStdString());
    if (!read.Ok) {
        ShowMessage(&form, TMsgKind::Error, QString::fromStdString(read.Error));
        return;
    }
    const TProgramData& p   = form.Project();
    const QStringList names = DiameterNames(form.Graphs());
    if (names.isEmpty()) return;
    int current = 0;
    if (read.Test.Diameter > 0)
        current = std::max(
            0, RunDiameterIndex(DiameterToProject(read.Test.Diameter, read.Test.Units, p.Units),
                                p.MinDiameter, static_cast<int>(names.size()), p.Units));
    const int index = AskDiameter(form, names, current);
    if (index < 0 || index >= names.size()) return;

    QString error;
    if (!Draw(form, read.Test, index, error)) {
        ShowMessage(&form, TMsgKind::Error, path + QStringLiteral(": ") + error);
        return;
    }
    // kept beside the project with the diameter it is compared at
    read.Test.Diameter =
        DiameterFromProject(RunDiameter(index, p.MinDiameter, p.Units), p.Units, read.Test.Units);
    const QString kept = LoadTestFileOf(form.ProjectFileName());
    QSaveFile out(kept);
    const std::string text = LoadTestText(read.Test);
    if (!out.open(QIODevice::WriteOnly)
        || out.write(text.data(), static_cast<qint64>(text.size()))
               != static_cast<qint64>(text.size())
        || !out.commit())
        ShowMessage(&form, TMsgKind::Error,
                    QStringLiteral("The load test could not be kept beside the project in ") + kept
                        + QStringLiteral("; it is drawn until the project is closed."));
    ShowGraph(form.Graphs().pltAxial, form.MdiArea());
}

void RestoreLoadTest(TMainForm& form) {
    const QString kept = LoadTestFileOf(form.ProjectFileName());
    if (!QFileInfo::exists(kept)) return;
    const TLoadTestRead read = ReadLoadTest(kept.toStdString());
    const TProgramData& p    = form.Project();
    QString error            = QString::fromStdString(read.Error);
    if (read.Ok) {
        const int index = RunDiameterIndex(
            DiameterToProject(read.Test.Diameter, read.Test.Units, p.Units), p.MinDiameter,
            static_cast<int>(DiameterNames(form.Graphs()).size()), p.Units);
        if (index < 0)
            error = kept + QStringLiteral(": its diameter is none of the run's");
        else if (Draw(form, read.Test, index, error))
            return;
        else
            error = kept + QStringLiteral(": ") + error;
    }
    ShowMessage(&form, TMsgKind::Information,
                QStringLiteral("The load test kept beside the project is not drawn. ") + error);
}

}  // namespace korven
