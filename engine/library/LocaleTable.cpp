#include "engine/library/LocaleTable.h"

#include <cstdlib>
#include <string>

#include "engine/vm/RuntimeState.h"

namespace quillet::engine {

namespace {

// The values of current Windows releases. Every locale here shows a leading zero and writes
// a negative number as "-n", and none groups other than by threes.
constexpr std::array kLocales{
    SLocaleInfo{1033, u"en-us", u".", u",", 3, 2, 1, u"$", 2, 0, 0,
                u"M/d/yyyy", u"dddd, MMMM d, yyyy", u"h:mm:ss tt", u"AM", u"PM",
                {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August",
                 u"September", u"October", u"November", u"December"},
                {},
                {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"}},
    SLocaleInfo{2057, u"en-gb", u".", u",", 3, 2, 1, u"\u00A3", 2, 0, 1,
                u"dd/MM/yyyy", u"dd MMMM yyyy", u"HH:mm:ss", u"AM", u"PM",
                {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August",
                 u"September", u"October", u"November", u"December"},
                {},
                {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"}},
    SLocaleInfo{1031, u"de-de", u",", u".", 3, 2, 1, u"\u20AC", 2, 3, 8,
                u"dd.MM.yyyy", u"dddd, d. MMMM yyyy", u"HH:mm:ss", u"", u"",
                {u"Januar", u"Februar", u"M\u00E4rz", u"April", u"Mai", u"Juni", u"Juli", u"August",
                 u"September", u"Oktober", u"November", u"Dezember"},
                {},
                {u"Sonntag", u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag"}},
    SLocaleInfo{1036, u"fr-fr", u",", u"\u202F", 3, 2, 1, u"\u20AC", 2, 3, 8,
                u"dd/MM/yyyy", u"dddd d MMMM yyyy", u"HH:mm:ss", u"", u"",
                {u"janvier", u"f\u00E9vrier", u"mars", u"avril", u"mai", u"juin", u"juillet", u"ao\u00FBt",
                 u"septembre", u"octobre", u"novembre", u"d\u00E9cembre"},
                {},
                {u"dimanche", u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi"}},
    SLocaleInfo{1043, u"nl-nl", u",", u".", 3, 2, 1, u"\u20AC", 2, 2, 12,
                u"d-M-yyyy", u"dddd d MMMM yyyy", u"HH:mm:ss", u"", u"",
                {u"januari", u"februari", u"maart", u"april", u"mei", u"juni", u"juli", u"augustus",
                 u"september", u"oktober", u"november", u"december"},
                {},
                {u"zondag", u"maandag", u"dinsdag", u"woensdag", u"donderdag", u"vrijdag", u"zaterdag"}},
    SLocaleInfo{3082, u"es-es", u",", u".", 3, 2, 1, u"\u20AC", 2, 3, 8,
                u"dd/MM/yyyy", u"dddd, d' de 'MMMM' de 'yyyy", u"H:mm:ss", u"", u"",
                {u"enero", u"febrero", u"marzo", u"abril", u"mayo", u"junio", u"julio", u"agosto",
                 u"septiembre", u"octubre", u"noviembre", u"diciembre"},
                {},
                {u"domingo", u"lunes", u"martes", u"mi\u00E9rcoles", u"jueves", u"viernes", u"s\u00E1bado"}},
    SLocaleInfo{1040, u"it-it", u",", u".", 3, 2, 1, u"\u20AC", 2, 3, 8,
                u"dd/MM/yyyy", u"dddd d MMMM yyyy", u"HH:mm:ss", u"", u"",
                {u"gennaio", u"febbraio", u"marzo", u"aprile", u"maggio", u"giugno", u"luglio", u"agosto",
                 u"settembre", u"ottobre", u"novembre", u"dicembre"},
                {},
                {u"domenica", u"luned\u00EC", u"marted\u00EC", u"mercoled\u00EC", u"gioved\u00EC", u"venerd\u00EC",
                 u"sabato"}},
    SLocaleInfo{1041, u"ja-jp", u".", u",", 3, 2, 1, u"\u00A5", 0, 0, 1,
                u"yyyy/MM/dd", u"yyyy'\u5E74'M'\u6708'd'\u65E5'", u"H:mm:ss", u"\u5348\u524D", u"\u5348\u5F8C",
                {u"1\u6708", u"2\u6708", u"3\u6708", u"4\u6708", u"5\u6708", u"6\u6708", u"7\u6708", u"8\u6708",
                 u"9\u6708", u"10\u6708", u"11\u6708", u"12\u6708"},
                {},
                {u"\u65E5\u66DC\u65E5", u"\u6708\u66DC\u65E5", u"\u706B\u66DC\u65E5", u"\u6C34\u66DC\u65E5",
                 u"\u6728\u66DC\u65E5", u"\u91D1\u66DC\u65E5", u"\u571F\u66DC\u65E5"}},
    SLocaleInfo{1046, u"pt-br", u",", u".", 3, 2, 1, u"R$", 2, 2, 9,
                u"dd/MM/yyyy", u"dddd, d' de 'MMMM' de 'yyyy", u"HH:mm:ss", u"", u"",
                {u"janeiro", u"fevereiro", u"mar\u00E7o", u"abril", u"maio", u"junho", u"julho", u"agosto",
                 u"setembro", u"outubro", u"novembro", u"dezembro"},
                {},
                {u"domingo", u"segunda-feira", u"ter\u00E7a-feira", u"quarta-feira", u"quinta-feira",
                 u"sexta-feira", u"s\u00E1bado"}},
    SLocaleInfo{1053, u"sv-se", u",", u"\u00A0", 3, 2, 1, u"kr", 2, 3, 8,
                u"yyyy-MM-dd", u"'den 'd MMMM yyyy", u"HH:mm:ss", u"", u"",
                {u"januari", u"februari", u"mars", u"april", u"maj", u"juni", u"juli", u"augusti",
                 u"september", u"oktober", u"november", u"december"},
                {},
                {u"s\u00F6ndag", u"m\u00E5ndag", u"tisdag", u"onsdag", u"torsdag", u"fredag", u"l\u00F6rdag"}},
    SLocaleInfo{1045, u"pl-pl", u",", u"\u00A0", 3, 2, 1, u"z\u0142", 2, 3, 8,
                u"dd.MM.yyyy", u"d MMMM yyyy", u"HH:mm:ss", u"", u"",
                {u"stycze\u0144", u"luty", u"marzec", u"kwiecie\u0144", u"maj", u"czerwiec", u"lipiec",
                 u"sierpie\u0144", u"wrzesie\u0144", u"pa\u017Adziernik", u"listopad", u"grudzie\u0144"},
                {u"stycznia", u"lutego", u"marca", u"kwietnia", u"maja", u"czerwca", u"lipca", u"sierpnia",
                 u"wrze\u015Bnia", u"pa\u017Adziernika", u"listopada", u"grudnia"},
                {u"niedziela", u"poniedzia\u0142ek", u"wtorek", u"\u015Broda", u"czwartek", u"pi\u0105tek",
                 u"sobota"}},
    SLocaleInfo{1049, u"ru-ru", u",", u"\u00A0", 3, 2, 1, u"\u20BD", 2, 3, 8,
                u"dd.MM.yyyy", u"d MMMM yyyy '\u0433.'", u"H:mm:ss", u"", u"",
                {u"\u044F\u043D\u0432\u0430\u0440\u044C", u"\u0444\u0435\u0432\u0440\u0430\u043B\u044C",
                 u"\u043C\u0430\u0440\u0442", u"\u0430\u043F\u0440\u0435\u043B\u044C", u"\u043C\u0430\u0439",
                 u"\u0438\u044E\u043D\u044C", u"\u0438\u044E\u043B\u044C", u"\u0430\u0432\u0433\u0443\u0441\u0442",
                 u"\u0441\u0435\u043D\u0442\u044F\u0431\u0440\u044C", u"\u043E\u043A\u0442\u044F\u0431\u0440\u044C",
                 u"\u043D\u043E\u044F\u0431\u0440\u044C", u"\u0434\u0435\u043A\u0430\u0431\u0440\u044C"},
                {u"\u044F\u043D\u0432\u0430\u0440\u044F", u"\u0444\u0435\u0432\u0440\u0430\u043B\u044F",
                 u"\u043C\u0430\u0440\u0442\u0430", u"\u0430\u043F\u0440\u0435\u043B\u044F", u"\u043C\u0430\u044F",
                 u"\u0438\u044E\u043D\u044F", u"\u0438\u044E\u043B\u044F", u"\u0430\u0432\u0433\u0443\u0441\u0442\u0430",
                 u"\u0441\u0435\u043D\u0442\u044F\u0431\u0440\u044F", u"\u043E\u043A\u0442\u044F\u0431\u0440\u044F",
                 u"\u043D\u043E\u044F\u0431\u0440\u044F", u"\u0434\u0435\u043A\u0430\u0431\u0440\u044F"},
                {u"\u0432\u043E\u0441\u043A\u0440\u0435\u0441\u0435\u043D\u044C\u0435",
                 u"\u043F\u043E\u043D\u0435\u0434\u0435\u043B\u044C\u043D\u0438\u043A",
                 u"\u0432\u0442\u043E\u0440\u043D\u0438\u043A", u"\u0441\u0440\u0435\u0434\u0430",
                 u"\u0447\u0435\u0442\u0432\u0435\u0440\u0433", u"\u043F\u044F\u0442\u043D\u0438\u0446\u0430",
                 u"\u0441\u0443\u0431\u0431\u043E\u0442\u0430"}},
};

[[nodiscard]] char16_t LowerUnit(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

[[nodiscard]] bool SameNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerUnit(a[i]) != LowerUnit(b[i])) return false;
  }
  return true;
}

// Reads the first non-empty variable of the list.
[[nodiscard]] std::string_view FirstSetVariable(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

const SLocaleInfo* FindLocale(uint32_t lcid) {
  for (const SLocaleInfo& locale : kLocales) {
    if (locale.lcid == lcid) return &locale;
  }
  return nullptr;
}

const SLocaleInfo* FindLocaleByName(std::u16string_view name) {
  for (const SLocaleInfo& locale : kLocales) {
    if (SameNoCase(locale.name, name)) return &locale;
  }
  // A bare language means the first locale of that language in the table.
  if (name.size() != 2) return nullptr;
  for (const SLocaleInfo& locale : kLocales) {
    if (SameNoCase(locale.name.substr(0, 2), name)) return &locale;
  }
  return nullptr;
}

uint32_t LocaleIdFromPosixName(std::string_view value) {
  const size_t end = value.find_first_of(".@");
  if (end != std::string_view::npos) value = value.substr(0, end);
  if (value.empty() || value.size() > 16) return kEnglishUnitedStates;
  std::u16string name;
  for (const char c : value) name.push_back(c == '_' ? u'-' : static_cast<char16_t>(static_cast<unsigned char>(c)));
  const SLocaleInfo* locale = FindLocaleByName(name);
  if (locale == nullptr && name.size() > 2 && name[2] == u'-') locale = FindLocaleByName(name.substr(0, 2));
  return locale != nullptr ? locale->lcid : kEnglishUnitedStates;
}

uint32_t SystemLocaleId() {
  static const uint32_t lcid = LocaleIdFromPosixName(FirstSetVariable({"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANG"}));
  return lcid;
}

const SLocaleInfo& CurrentLocale() {
  const SLocaleInfo* locale = FindLocale(CurrentRuntime().localeId);
  return locale != nullptr ? *locale : *FindLocale(kEnglishUnitedStates);
}

}  // namespace quillet::engine
