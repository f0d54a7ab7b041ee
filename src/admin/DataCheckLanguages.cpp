#include "admin/DataCheckChecker.h"

// The findings of the six language files.
namespace tv::admin::datacheck {

std::vector<std::string> Checker::helpKeys() const {
    std::vector<std::string> keys = {"Startinfo",   "Dimensions",     "Reconfig1",
                                     "optSpinQual", "optCloseDir",    "optWedgeQuality",
                                     "optActuator", "Spindlekvalitet"};
    std::set<char> slots;
    for (std::size_t t = 0; t < types_.size() && t < 3; ++t) {
        const int type = static_cast<int>(t) + 1;
        keys.push_back("CenterHelp" + std::to_string(type));
        keys.push_back(type == 1 ? "NoAccesories" : "Accesories");
        for (const int position : wizard::ConnectionPositions(type))
            slots.insert("NESW"[position / 2 - 2]);
    }
    for (const char slot : slots)
        for (const char* state : {"ConnSel0_", "ConnSel1_"})
            keys.push_back(state + std::string(1, slot));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

// The six language files, their help panels, and the translated lists of
// each present one.
void Checker::checkLanguages() {
    // The texts the screens, the result and the report translate: the text
    // keys of the parameter file and the program's own.
    std::set<std::string> texts;
    for (const std::string_view text : data::text::kAll)
        texts.insert(data::TextKey(text));
    if (auto file = files_.openParameterFile())
        for (const std::uint32_t at : file->contents().textKeyLines())
            texts.insert(std::string(file->contents().lineAt(at)));
    std::vector<std::string> infoNames;
    if (start_)
        infoNames = {start_->infoName1, start_->infoName2};
    for (const std::string_view language : kDataLanguages) {
        if (!language_.empty() && language != language_)
            continue;
        const std::string name = "Lang_" + std::string(language) + ".txt";
        lookups_.insert("file " + name);
        if (!std::filesystem::is_regular_file(files_.locate(name))) {
            finding("missing-language-file", name, "the language file is not in the data directory",
                    0, {}, std::string(language));
            continue;
        }
        platform::RecordingMessageBoxes quiet;
        data::DataFiles other(files_.dataDirectory(), std::string(language), quiet);
        for (const std::string& key : helpKeys()) {
            const std::string section = data::SectionKey(key + "_hlp");
            lookups_.insert("help " + std::string(language) + " " + section);
            if (!other.ReadHelpPanel(key, {}))
                finding("missing-help", section, "the help panel is not in " + name, 0, {},
                        std::string(language));
        }
        // The captions every screen takes from the head of the language
        // file: a head that ends early gives empty ones (or a key line's).
        if (auto file = other.openLanguageFile()) {
            const data::LanguageHead head = other.ReadLanguageHead(*file);
            for (const auto& [caption, what] :
                 {std::pair{&head.windowCaption, "the window caption"},
                  std::pair{&head.exitCaption, "the exit button's caption"},
                  std::pair{&head.backCaption, "the back button's caption"},
                  std::pair{&head.nextCaption, "the next button's caption"}}) {
                if (caption->empty() || caption->starts_with(data::kSection))
                    finding("missing-translation", name,
                            std::string("the head of the file has no text for ") + what, 0, {},
                            std::string(language), true);
            }
        }
        // The start screen's information files, one per language.
        for (const std::string& info : infoNames) {
            const std::string file = info + "_" + std::string(language) + ".txt";
            lookups_.insert("file " + file);
            if (!std::filesystem::is_regular_file(files_.locate(file)))
                finding("missing-translation", file, "the start screen says it is missing", 0, {},
                        std::string(language));
        }
        // Norwegian is the language of the lists and texts themselves: it
        // needs no translation, but one it has must be a text. A text is
        // translated once, so a translation that is a text key again (itself,
        // or one of a circle) is shown as the key.
        const bool norwegian = language == "NO";
        if (auto file = other.openLanguageFile()) {
            const auto& translations = file->contents().translations();
            for (const std::string& key : texts) {
                lookups_.insert("text " + std::string(language) + " " + key);
                const auto found = translations.find(key);
                if (found == translations.end()) {
                    if (!norwegian)
                        finding("missing-translation", key, "the text is shown in Norwegian", 0, {},
                                std::string(language));
                } else if (data::IsTextKey(found->second)) {
                    finding("missing-translation", key,
                            "the text translates to the text key " + std::string(found->second) +
                                ", which is shown as it stands",
                            0, {}, std::string(language));
                }
            }
        }
        if (norwegian)
            continue;
        for (const auto& [key, list] : lists_) {
            // The dimension lists are shown as they stand.
            if (!list.found || list.title.empty() ||
                key.starts_with("\xA4"
                                "DIM_"))
                continue;
            const std::string title = data::SectionKey(list.title);
            lookups_.insert("translation " + std::string(language) + " " + title);
            data::ListLines lines;
            if (other.ReadLangSection(title, lines) < 0)
                finding("missing-translation", title, "the list " + key + " is shown untranslated",
                        0, {}, std::string(language));
        }
    }
}

} // namespace tv::admin::datacheck
