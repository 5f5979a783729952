// Renders an HTML file (with its local images) into a PDF of A4 pages with page numbers, so the
// documentation builds its PDFs with nothing but Qt.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

namespace {

// Screenshots are wider than a page: scale every image down to the text width, keeping its shape.
void FitImages(QTextDocument& doc, const QString& folder, qreal width) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QImage picture(QDir(folder).filePath(QUrl(image.name()).path()));
            if (picture.isNull() || picture.width() <= width) continue;
            image.setWidth(width);
            image.setHeight(width * picture.height() / picture.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: korven_htmlpdf INPUT.html OUTPUT.pdf\n", stderr);
        return 2;
    }
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "korven_htmlpdf: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    QPdfWriter writer(args[2]);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
    writer.setTitle(QFileInfo(args[1]).completeBaseName());
    writer.setCreator(QStringLiteral("KORVEN"));

    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(args[1]).absoluteFilePath()));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.5);
    doc.setDefaultFont(font);
    doc.setHtml(QString::fromUtf8(in.readAll()));
    doc.setDocumentMargin(0);
    // lay the text out on the printable area of the page, in the pixels of the screen the fonts
    // are measured in, so 9.5 pt text fills the width as it would on paper
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi       = screen ? screen->logicalDotsPerInch() : 96.0;
    doc.setPageSize(writer.pageLayout().paintRectPoints().size() * (dpi / 72.0));
    FitImages(doc, QFileInfo(args[1]).absolutePath(), doc.pageSize().width());
    doc.print(&writer);
    if (!QFileInfo::exists(args[2]) || QFileInfo(args[2]).size() == 0) {
        std::fprintf(stderr, "korven_htmlpdf: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
