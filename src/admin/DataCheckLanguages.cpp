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

// The texts the screens, the result and the report translate: the text
// keys of the parameter file and the program's own.
std::set<std::string> Checker::translatedTexts() const {
    std::set<std::string> texts;
    for (const std::string_view text : data::text::kAll)
        texts.insert(data::TextKey(text));
    if (auto file = files_.openParameterFile())
        for (const std::uint32_t at : file->contents().textKeyLines())
            texts.insert(std::string(file->contents().lineAt(at)));
    return texts;
}

// The six language files, their help panels, and the translated lists of
// each present one.
void Checker::checkLanguages() {
    const std::set<std::string> texts = translatedTexts();
    for (const std::string_view language : kDataLanguages) {
        if (!language_.empty() && language != language_)
            continue;
        const std::string code(language);
        const std::string name = "Lang_" + code + ".txt";
        lookups_.insert("file " + name);
        if (!std::filesystem::is_regular_file(files_.locate(name))) {
            finding("missing-language-file", name, "the language file is not in the data directory",
                    0, {}, code);
            continue;
        }
        platform::RecordingMessageBoxes quiet;
        data::DataFiles other(files_.dataDirectory(), code, quiet);
        checkHelpPanels(other, code, name);
        checkLanguageHead(other, code, name);
        checkInfoFiles(code);
        checkTexts(other, code, texts);
        // Norwegian is the language of the lists themselves.
        if (code != "NO")
            checkListTitles(other, code);
    }
}

void Checker::checkHelpPanels(const data::DataFiles& other, const std::string& language,
                              const std::string& fileName) {
    for (const std::string& key : helpKeys()) {
        const std::string section = data::SectionKey(key + "_hlp");
        lookups_.insert("help " + language + " " + section);
        if (!other.ReadHelpPanel(key, {}))
            finding("missing-help", section, "the help panel is not in " + fileName, 0, {},
                    language);
    }
}

// The captions every screen takes from the head of the language file: a
// head that ends early gives empty ones (or a key line's).
void Checker::checkLanguageHead(const data::DataFiles& other, const std::string& language,
                                const std::string& fileName) {
    auto file = other.openLanguageFile();
    if (!file)
        return;
    const data::LanguageHead head = other.ReadLanguageHead(*file);
    for (const auto& [caption, what] :
         {std::pair{&head.windowCaption, "the window caption"},
          std::pair{&head.exitCaption, "the exit button's caption"},
          std::pair{&head.backCaption, "the back button's caption"},
          std::pair{&head.nextCaption, "the next button's caption"}}) {
        if (caption->empty() || caption->starts_with(data::kSection))
            finding("missing-translation", fileName,
                    std::string("the head of the file has no text for ") + what, 0, {}, language,
                    true);
    }
}

// The start screen's information files, one per language.
void Checker::checkInfoFiles(const std::string& language) {
    if (!start_)
        return;
    for (const std::string& info : {start_->infoName1, start_->infoName2}) {
        const std::string file = info + "_" + language + ".txt";
        lookups_.insert("file " + file);
        if (!std::filesystem::is_regular_file(files_.locate(file)))
            finding("missing-translation", file, "the start screen says it is missing", 0, {},
                    language);
    }
}

// Norwegian needs no translation of a text, but one it has must be a text.
// A text is translated once, so a translation that is a text key again
// (itself, or one of a circle) is shown as the key.
void Checker::checkTexts(const data::DataFiles& other, const std::string& language,
                         const std::set<std::string>& texts) {
    auto file = other.openLanguageFile();
    if (!file)
        return;
    const auto& translations = file->contents().translations();
    for (const std::string& key : texts) {
        lookups_.insert("text " + language + " " + key);
        const auto found = translations.find(key);
        if (found == translations.end()) {
            if (language != "NO")
                finding("missing-translation", key, "the text is shown in Norwegian", 0, {},
                        language);
        } else if (data::IsTextKey(found->second)) {
            finding("missing-translation", key,
                    "the text translates to the text key " + std::string(found->second) +
                        ", which is shown as it stands",
                    0, {}, language);
        }
    }
}

void Checker::checkListTitles(const data::DataFiles& other, const std::string& language) {
    for (const auto& [key, list] : lists_) {
        // The dimension lists are shown as they stand.
        if (!list.found || list.title.empty() ||
            key.starts_with("\xA4"
                            "DIM_"))
            continue;
        const std::string title = data::SectionKey(list.title);
        lookups_.insert("translation " + language + " " + title);
        data::ListLines lines;
        if (other.ReadLangSection(title, lines) < 0)
            finding("missing-translation", title, "the list " + key + " is shown untranslated", 0,
                    {}, language);
    }
}

} // namespace tv::admin::datacheck
