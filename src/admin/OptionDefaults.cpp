#include "admin/OptionDefaults.h"

#include "data/StartupValues.h"

namespace tv::admin {

double OptionDefaultValue(std::string_view stored) {
    return data::LeadingNumber(stored);
}

int FirstButtonValue(double value) {
    return value == 0 || value == 2 ? 1 : 0;
}

int SecondButtonValue(double value) {
    return value == 0 || value == 1 ? 2 : 0;
}

OptionDefaults::OptionDefaults(platform::SettingsStore& settings, const data::DataFiles& files,
                               platform::MessageBoxes& messages)
    : settings_(settings), files_(files), messages_(messages) {}

double OptionDefaults::stored(int row) const {
    return OptionDefaultValue(settings_.get(data::kSettingsApp, data::kSettingsSection,
                                            kOptionDefaultRows[row].settingKey));
}

void OptionDefaults::store(int row, int value) {
    const char* key = kOptionDefaultRows[row].settingKey;
    if (!settings_.save(data::kSettingsApp, data::kSettingsSection, key, std::to_string(value)))
        messages_.inform(std::string("The setting ") + key + " could not be saved.");
}

void OptionDefaults::RefreshAll() {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        rows[row].firstCaption = kOptionDefaultRows[row].firstCaption;
        rows[row].secondCaption = kOptionDefaultRows[row].secondCaption;
        rows[row].labelText.clear();
        Refresh(static_cast<int>(row));
    }
}

void OptionDefaults::Refresh(int row) {
    OptionRowView& view = rows[row];
    const double value = stored(row);
    view.firstEnabled = true;
    if (value != 0 && value != 1 && value != 2)
        return;
    const int state = static_cast<int>(value);
    view.firstCaption = state == 0 ? "Default p\xE5" : "Default av";
    view.firstEnabled = state != 2;
    view.secondCaption = state == 2 ? "Enable" : "Disable";
    view.labelText = files_.ReadLangText(kOptionDefaultRows[row].labelKeys[state]);
}

void OptionDefaults::PressFirst(int row) {
    store(row, FirstButtonValue(stored(row)));
    Refresh(row);
}

void OptionDefaults::PressSecond(int row) {
    store(row, SecondButtonValue(stored(row)));
    Refresh(row);
}

} // namespace tv::admin
