// The drawn icons: every toolbar key has one that draws at toolbar sizes, and so do the windows.
#include "QuilletTestMain.h"
#include "clsIcons.h"

#include <QImage>
#include <QPixmap>

using namespace Qt::Literals::StringLiterals;

namespace {

// Pixels that are not transparent: an icon whose file or engine is missing draws none.
int DrawnPixels(const QIcon& icon, int size)
{
    const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return drawn;
}

} // namespace

class tst_clsIcons : public QObject
{
    Q_OBJECT

private slots:
    void everyToolbarKeyDrawsAtToolbarSizes()
    {
        const QStringList keys = clsIcons::ToolbarKeys();
        QCOMPARE(keys.size(), 15);
        QCOMPARE(keys.first(), u"OpenAsNew"_s);
        QCOMPARE(keys.last(), u"Option"_s);
        for (const QString& key : keys) {
            for (int size : {16, 24}) {
                // At least a fifth of the square is ink: a recognisable shape, not a dot.
                QVERIFY2(DrawnPixels(clsIcons::Toolbar(key), size) > size * size / 5,
                         qPrintable(key + u' ' + QString::number(size)));
            }
        }
    }

    void iconsDifferFromEachOther()
    {
        QSet<QByteArray> seen;
        for (const QString& key : clsIcons::ToolbarKeys()) {
            const QImage image = clsIcons::Toolbar(key).pixmap(24, 24).toImage();
            const QByteArray bits(reinterpret_cast<const char*>(image.constBits()),
                                  image.sizeInBytes());
            QVERIFY2(!seen.contains(bits), qPrintable(key));
            seen.insert(bits);
        }
    }

    void windowsHaveTheirOwnIcons()
    {
        QVERIFY(DrawnPixels(clsIcons::App(), 32) > 32 * 32 / 2);
        QVERIFY(DrawnPixels(clsIcons::Document(), 16) > 16 * 16 / 5);
    }

    void anUnknownKeyHasNoIcon() { QVERIFY(clsIcons::Toolbar(u"Unknown"_s).isNull()); }
};

QUILLET_QTEST_MAIN(tst_clsIcons)
#include "tst_clsIcons.moc"
