// The built-in read-only text window.
#include "TextViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>
#include <QVBoxLayout>

#include "project/Messages.h"

namespace korven {

TTextViewer::TTextViewer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TextViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* bar  = new QHBoxLayout;
    auto* find = new QLabel(QStringLiteral("F&ind:"), this);
    FFind      = new QLineEdit(this);
    FFind->setObjectName(QStringLiteral("FindText"));
    find->setBuddy(FFind);
    auto* next = new QPushButton(QStringLiteral("Find &Next"), this);
    next->setObjectName(QStringLiteral("FindNext"));
    auto* print = new QPushButton(QStringLiteral("&Print..."), this);
    print->setObjectName(QStringLiteral("PrintText"));
    bar->addWidget(find);
    bar->addWidget(FFind, 1);
    bar->addWidget(next);
    bar->addStretch();
    bar->addWidget(print);
    layout->addLayout(bar);

    FText = new QPlainTextEdit(this);
    FText->setObjectName(QStringLiteral("Text"));
    FText->setReadOnly(true);
    FText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    FText->setLineWrapMode(QPlainTextEdit::NoWrap);
    // the report's columns line up only in a fixed-pitch font
    FText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(FText, 1);

    connect(next, &QPushButton::clicked, this, &TTextViewer::FindClick);
    connect(FFind, &QLineEdit::returnPressed, this, &TTextViewer::FindClick);
    connect(print, &QPushButton::clicked, this, &TTextViewer::PrintClick);
    auto* focusFind = new QShortcut(QKeySequence::Find, this);
    connect(focusFind, &QShortcut::activated, this, [this] {
        FFind->setFocus();
        FFind->selectAll();
    });
    auto* again = new QShortcut(QKeySequence::FindNext, this);
    connect(again, &QShortcut::activated, this, &TTextViewer::FindClick);
}

bool TTextViewer::Load(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The file %1 could not be read: %2").arg(path, file.errorString());
        return false;
    }
    // the engine writes plain ASCII; anything else shows as Latin-1 rather than not at all
    FText->setPlainText(QString::fromLatin1(file.readAll()));
    FPath = path;
    setWindowTitle(QFileInfo(path).fileName());
    return true;
}

bool TTextViewer::Find(const QString& text) {
    if (text.isEmpty()) return false;
    if (FText->find(text)) return true;
    QTextCursor top = FText->textCursor();
    top.movePosition(QTextCursor::Start);
    FText->setTextCursor(top);
    return FText->find(text);
}

void TTextViewer::FindClick() {
    if (!FFind->text().isEmpty() && !Find(FFind->text()))
        ShowMessage(this, TMsgKind::Information,
                    QStringLiteral("\"%1\" was not found.").arg(FFind->text()));
}

bool TTextViewer::PrintTo(QPrinter& printer) {
    printer.setDocName(QFileInfo(FPath).fileName());
    QTextDocument* doc = FText->document()->clone(this);
    doc->setDefaultFont(FText->font());
    doc->print(&printer);
    delete doc;
    return printer.printerState() != QPrinter::Error;
}

void TTextViewer::PrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() != QDialog::Accepted) return;
    if (!PrintTo(printer))
        ShowMessage(this, TMsgKind::Error, QStringLiteral("The text could not be printed."));
}

}  // namespace korven
