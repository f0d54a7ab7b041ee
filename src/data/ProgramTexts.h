#pragma once

#include <array>
#include <string_view>

namespace tv::data::text {

// The program's own texts, in Norwegian and Windows-1252, as the language
// files translate them (under "¤¤" and the text). Every place that shows
// one takes it from here, and the data check asks each language file for
// every one of `kAll`.

// Result text, result screen and report.
inline constexpr std::string_view kPieces = " stk";
inline constexpr std::string_view kMissing = "Mangler";
inline constexpr std::string_view kOrderCode = "Bestillingsnummer";
inline constexpr std::string_view kCode = "Kode";
inline constexpr std::string_view kCodeCopied = "Koden er kopiert";
// The result screen's status after the report button.
inline constexpr std::string_view kReportWritten = "Rapporten er skrevet:";
inline constexpr std::string_view kReportNotOpened = "Rapporten kunne ikke \xE5pnes, den ligger i";
// The result text's connection headings, by slot (1 north to 4 west).
inline constexpr std::array<std::string_view, 5> kResultConnections = {
    "", "Tilkobling klokka 12", "Tilkobling klokka 3", "Tilkobling klokka 6",
    "Tilkobling klokka 9"};
// The product information's, by slot.
inline constexpr std::array<std::string_view, 5> kInfoConnections = {
    "", "Tilkobling kl 12:", "Tilkobling kl 3:", "Tilkobling kl 6:", "Tilkobling kl 9:"};

// Start screen.
inline constexpr std::string_view kStartAgain = "Start ny";
inline constexpr std::string_view kCancel = "Avbryt";

// Report.
inline constexpr std::string_view kActuator = "Aktuator";
inline constexpr std::string_view kCentrePart = "Senterdel";
inline constexpr std::string_view kOrderedBy = "Bestilling fra";
inline constexpr std::string_view kSignature = "Bestillers sign";
inline constexpr std::string_view kQuantity = "Oppgi \xF8nsket antall";
inline constexpr std::string_view kCodeNote = "M\xE5 oppgis ved bestilling pr.mail og ev. p\xE5"
                                              "f\xF8res tegninger";
inline constexpr std::string_view kPrintHint =
    "Tips for utskrift p\xE5 1 side: Velg File, Forh\xE5ndsvisning, 68-75%";
// The report's connection rows, by slot.
inline constexpr std::array<std::string_view, 5> kReportConnections = {
    "", "Tilkobling kl. 12", "Tilkobling kl. 3", "Tilkobling kl. 6", "Tilkobling kl. 9"};

inline constexpr std::array kAll{
    kPieces,
    kMissing,
    kOrderCode,
    kCode,
    kCodeCopied,
    kReportWritten,
    kReportNotOpened,
    kResultConnections[1],
    kResultConnections[2],
    kResultConnections[3],
    kResultConnections[4],
    kInfoConnections[1],
    kInfoConnections[2],
    kInfoConnections[3],
    kInfoConnections[4],
    kStartAgain,
    kCancel,
    kActuator,
    kCentrePart,
    kOrderedBy,
    kSignature,
    kQuantity,
    kCodeNote,
    kPrintHint,
    kReportConnections[1],
    kReportConnections[2],
    kReportConnections[3],
    kReportConnections[4],
};

} // namespace tv::data::text
