// A read-only window for the report and the runtime file, for a desktop with no text editor to
// hand them to: fixed-pitch text, find, print.
#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPrinter;

namespace korven {

class TTextViewer : public QWidget {
    Q_OBJECT
public:
    explicit TTextViewer(QWidget* parent = nullptr);

    /// Reads `path` into the window (again, when it is open already). False, with `error` set,
    /// when the file cannot be read; the window then keeps what it showed.
    bool Load(const QString& path, QString& error);
    const QString& Path() const { return FPath; }

    /// Selects the next occurrence of `text` after the cursor, from the top again after the last
    /// one; false when the text does not occur at all.
    bool Find(const QString& text);
    bool PrintTo(QPrinter& printer);

    QPlainTextEdit* Text() const { return FText; }
    QLineEdit* FindField() const { return FFind; }

    QSize sizeHint() const override { return {760, 560}; }

private:
    void FindClick();
    void PrintClick();

    QString FPath;
    QPlainTextEdit* FText = nullptr;
    QLineEdit* FFind      = nullptr;
};

}  // namespace korven
