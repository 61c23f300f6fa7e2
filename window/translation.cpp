// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace veltrax {
namespace {

Language inUse = Language::Japanese;

// The English translation, loaded on first use and kept for the run.
QTranslator* English()
{
    static QTranslator* translator = [] {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (!t->load(QStringLiteral(":/i18n/veltrax_en.qm"))) {
            delete t;
            return static_cast<QTranslator*>(nullptr);
        }
        return t;
    }();
    return translator;
}

}  // namespace

Language UseLanguage(Language language)
{
    QTranslator* english = English();
    if (language == Language::English && english) {
        QCoreApplication::installTranslator(english);
        inUse = Language::English;
    } else {
        if (english)
            QCoreApplication::removeTranslator(english);
        inUse = Language::Japanese;
    }
    return inUse;
}

Language LanguageInUse()
{
    return inUse;
}

}  // namespace veltrax
