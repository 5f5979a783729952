// Every message box of the program goes through one seam, so tests can read a message and
// answer it without a person at the screen.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace korven {

enum class TMsgKind { Information, Error, Warning, Question };
enum class TMsgButtons { Ok, YesNoCancel, OkCancel, YesNo };
enum class TMsgAnswer { Ok, Yes, No, Cancel };

class TMessageSink {
public:
    virtual ~TMessageSink()                      = default;
    virtual TMsgAnswer Show(QWidget* parent, TMsgKind kind, const QString& text,
                            TMsgButtons buttons) = 0;
};

/// Shows a message through the installed sink (a real message box unless a test installed one).
TMsgAnswer ShowMessage(QWidget* parent, TMsgKind kind, const QString& text,
                       TMsgButtons buttons = TMsgButtons::Ok);

/// Installs `sink` (not owned); nullptr puts the real message boxes back.
void SetMessageSink(TMessageSink* sink);

/// The file dialogs, behind the same kind of seam. An empty result means cancelled.
class TFileAsker {
public:
    virtual ~TFileAsker() = default;
    /// `filterIndex` is the index of the filter chosen (in and out).
    virtual QString OpenFile(QWidget* parent, const QString& title, const QString& folder,
                             const QStringList& filters, int& filterIndex) = 0;
    /// `current` is the name proposed, or a folder ending in "/" to start in.
    virtual QString SaveFile(QWidget* parent, const QString& title, const QString& current,
                             const QStringList& filters) = 0;
};

QString AskOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                        const QStringList& filters, int& filterIndex);
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& current,
                        const QStringList& filters);

/// Installs `asker` (not owned); nullptr puts the real file dialogs back.
void SetFileAsker(TFileAsker* asker);

}  // namespace korven
