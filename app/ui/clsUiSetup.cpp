// Japanese translation and font for the whole application.
#include "clsUiSetup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace {

// First installed face of these wins; VL Gothic draws ASCII exactly half a kanji wide.
QString JapaneseFontFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const QString& candidate : {u"VL Gothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s,
                                     u"ＭＳ ゴシック"_s, u"MS Gothic"_s}) {
        if (families.contains(candidate))
            return candidate;
    }
    return {};
}

} // namespace

bool clsUiSetup::Apply(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&app);
    const bool loaded = translator->load(QLocale(QLocale::Japanese), u"qtbase"_s, u"_"_s,
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QApplication::installTranslator(translator);

    const QString family = JapaneseFontFamily();
    if (!family.isEmpty()) {
        QFont font(family);
        font.setPointSize(10);
        QApplication::setFont(font);
    }
    return loaded;
}
