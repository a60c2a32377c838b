#include "app/OptionsValues.h"

#include "base/SettingsInventory.h"

namespace quillet::app {
namespace {

const SIntSetting* const kColorSettings[SOptionsValues::kColorCount] = {
    &settings::CommentsColor, &settings::KeywordsColor,    &settings::StringsColor,
    &settings::NumbersColor,  &settings::LineNumbersColor, &settings::FieldsColor,
};

}  // namespace

SOptionsValues SOptionsValues::Read(const CSettings& settings) {
  SOptionsValues values;
  values.helpFile = settings.Read(settings::HelpFile);
  values.helpWeb = settings.Read(settings::HelpWeb);
  for (size_t i = 0; i < values.colors.size(); ++i) values.colors[i] = settings.Read(*kColorSettings[i]);
  values.insertSpaces = settings.Read(settings::InsertSpaces) != 0;
  values.tabSize = settings.Read(settings::TabSize);
  values.automaticallySave = settings.Read(settings::AutomaticallySave) != 0;
  values.displayLogo = settings.Read(settings::DisplayLogo) != 0;
  values.firstStep = settings.Read(settings::FirstStep) != 0;
  values.printLineNumbers = settings.Read(settings::PrintLineNumbers) != 0;
  return values;
}

void SOptionsValues::Write(CSettings& settings) const {
  settings.Write(settings::TabSize, tabSize);
  settings.Write(settings::InsertSpaces, insertSpaces ? 1 : 0);
  for (size_t i = 0; i < colors.size(); ++i) settings.Write(*kColorSettings[i], colors[i]);
  settings.Write(settings::AutomaticallySave, automaticallySave ? 1 : 0);
  settings.Write(settings::DisplayLogo, displayLogo ? 1 : 0);
  settings.Write(settings::FirstStep, firstStep ? 1 : 0);
  settings.Write(settings::PrintLineNumbers, printLineNumbers ? 1 : 0);
  settings.Write(settings::HelpFile, helpFile);
  settings.Write(settings::HelpWeb, helpWeb);
}

std::array<int32_t, SOptionsValues::kColorCount> SOptionsValues::DefaultColors(int32_t grayText) {
  std::array<int32_t, kColorCount> colors{};
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = kColorSettings[i]->defaultValue;
  colors[LineNumbers] = grayText;
  return colors;
}

}  // namespace quillet::app
