// korven2012: the desktop program.
#include <QApplication>

#include "entry/Resources.h"
#include "graphs/GraphWindows.h"
#include "project/MainForm.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korven 2012"));
    korven::InitResources();
    korven::TMainForm form;
    korven::InstallGraphWindows(form);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    form.show();
    form.StartUp(arguments);
    return QApplication::exec();
}
