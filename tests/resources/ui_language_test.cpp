#include "resources/ui_language.h"

#include <gtest/gtest.h>

TEST(UiLanguage, LocaleDecidesRussianOnlyForRussianOrNone)
{
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        UiLanguage expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, UiLanguage::Russian},
        {"", "", "", UiLanguage::Russian},
        {nullptr, nullptr, "C", UiLanguage::Russian},
        {"POSIX", nullptr, "en_US.UTF-8", UiLanguage::Russian},   // LC_ALL wins over LANG
        {nullptr, nullptr, "C.UTF-8", UiLanguage::Russian},
        {nullptr, nullptr, "ru_RU.UTF-8", UiLanguage::Russian},
        {nullptr, nullptr, "en_US.UTF-8", UiLanguage::English},
        {nullptr, nullptr, "de_DE.UTF-8", UiLanguage::English},
        {"", "ru_UA.UTF-8", "en_GB.UTF-8", UiLanguage::Russian},  // an empty variable counts as unset
        {nullptr, "fr_FR", "ru_RU.UTF-8", UiLanguage::English},
        {"en_US.UTF-8", "ru_RU.UTF-8", nullptr, UiLanguage::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(uiLanguageOfLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
            << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcMessages ? c.lcMessages : "-") << ' ' << (c.lang ? c.lang : "-");
}

TEST(UiLanguage, NamesRoundTripAndUnknownNamesAreRefused)
{
    for (UiLanguage l : {UiLanguage::Russian, UiLanguage::English})
        EXPECT_EQ(uiLanguageNamed(uiLanguageName(l)), l);
    for (const char* bad : {"", "RU", "de", "english", "ru_RU"})
        EXPECT_FALSE(uiLanguageNamed(bad).has_value()) << bad;
}
