// Renders the icon drawings of resources/icons to PNG pictures at build time:
//
//   deckfall-render-icons <picture folder> <source file> <id-name.svg>=<size>[,<size>...] ...
//
// writes <picture folder>/<id>-<size>.png for every drawing and size (the pictures an icon
// theme installs), and a C++ source holding the same pictures as pixels for EmbeddedIcons().
// The program thus needs no SVG renderer and no image decoder at start-up: reading any
// image file makes Qt load every image-format plug-in, the SVG one with its library.

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int svgWarnings = 0;

// A drawing Qt cannot render in full would ship a wrong picture, so anything Qt's SVG
// module reports about it fails the build; the rest of Qt's chatter is of no interest.
void CountWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!QByteArrayView(context.category).startsWith("qt.svg")) return;
    if (type != QtDebugMsg && type != QtInfoMsg) ++svgWarnings;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

struct Picture {
    int id = 0;
    int size = 0;
    QImage pixels;  // premultiplied ARGB32
    QByteArray png;
};

bool Fail(const QString& what) {
    std::fprintf(stderr, "deckfall-render-icons: %s\n", qPrintable(what));
    return false;
}

// Renders one drawing at each of its sizes.
bool Render(const QString& argument, std::vector<Picture>& pictures) {
    const qsizetype equals = argument.lastIndexOf(u'=');
    if (equals < 0) return Fail(argument + QStringLiteral(": expected <drawing.svg>=<sizes>"));
    const QString drawing = argument.left(equals);
    const QString name = QFileInfo(drawing).fileName();
    bool isNumber = false;
    const int id = QRegularExpression(QStringLiteral("^[0-9]+")).match(name).captured().toInt(&isNumber);
    if (!isNumber)
        return Fail(name + QStringLiteral(": a drawing's name starts with its resource identifier"));

    QSvgRenderer renderer(drawing);
    if (!renderer.isValid() || svgWarnings)
        return Fail(drawing + QStringLiteral(": not a drawing Qt renders in full"));
    for (const QString& text : argument.mid(equals + 1).split(u',')) {
        const int size = text.toInt(&isNumber);
        if (!isNumber || size < 1) return Fail(argument + QStringLiteral(": not a size: ") + text);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        Picture picture{id, size, image, {}};
        QBuffer buffer(&picture.png);
        buffer.open(QIODevice::WriteOnly);
        if (svgWarnings || !image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG"))
            return Fail(drawing + QStringLiteral(": no picture at %1 pixels").arg(size));
        pictures.push_back(std::move(picture));
    }
    return true;
}

bool WriteFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return Fail(path + QStringLiteral(": ") + file.errorString());
    return true;
}

QByteArray EmbeddedSource(const std::vector<Picture>& pictures) {
    QByteArray arrays;
    QByteArray table;
    for (const Picture& picture : pictures) {
        const QByteArray name =
            QByteArray("kIcon") + QByteArray::number(picture.id) + 'x' + QByteArray::number(picture.size);
        arrays += "const std::uint32_t " + name + "[] = {";
        int column = 0;
        for (int y = 0; y < picture.size; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(picture.pixels.constScanLine(y));
            for (int x = 0; x < picture.size; ++x, ++column) {
                if (column % 8 == 0) arrays += "\n   ";
                arrays += " 0x" + QByteArray::number(row[x], 16).rightJustified(8, '0') + ',';
            }
        }
        arrays += "\n};\n";
        table += "    {" + QByteArray::number(picture.id) + ", " + QByteArray::number(picture.size) + ", " +
                 name + "},\n";
    }
    return "// Made by deckfall-render-icons from resources/icons; do not edit.\n"
           "#include \"platform/qt/EmbeddedIcons.h\"\n\n"
           "namespace platform {\n\nnamespace {\n\n" +
           arrays + "\nconst EmbeddedIcon kIcons[] = {\n" + table +
           "};\n\n}  // namespace\n\n"
           "std::span<const EmbeddedIcon> EmbeddedIcons() {\n    return kIcons;\n}\n\n"
           "}  // namespace platform\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    // Nothing is shown: no display is needed, only Qt's painting set-up.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(CountWarnings);
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr,
                     "usage: deckfall-render-icons <picture folder> <source file> "
                     "<id-name.svg>=<size>[,<size>...] ...\n");
        return 2;
    }
    std::vector<Picture> pictures;
    for (qsizetype i = 3; i < arguments.size(); ++i)
        if (!Render(arguments[i], pictures)) return 1;
    std::sort(pictures.begin(), pictures.end(), [](const Picture& a, const Picture& b) {
        return std::pair(a.id, a.size) < std::pair(b.id, b.size);
    });
    for (std::size_t i = 1; i < pictures.size(); ++i)
        if (pictures[i].id == pictures[i - 1].id && pictures[i].size == pictures[i - 1].size) {
            Fail(QStringLiteral("icon %1 has two pictures at %2 pixels")
                     .arg(pictures[i].id)
                     .arg(pictures[i].size));
            return 1;
        }
    for (const Picture& picture : pictures)
        if (!WriteFile(QStringLiteral("%1/%2-%3.png").arg(arguments[1]).arg(picture.id).arg(picture.size),
                       picture.png))
            return 1;
    return WriteFile(arguments[2], EmbeddedSource(pictures)) ? 0 : 1;
}
