#!/usr/bin/env python3
"""Generates the sample installation in sample/ from the tables in this file.

    python3 tools/make_sample.py             rewrite sample/
    python3 tools/make_sample.py --check     exit 1 when sample/ differs from a fresh run
    python3 tools/make_sample.py --selftest  read the committed sample/ the way the
                                             program does and check codes, keys and formats
    python3 tools/make_sample.py --png DIR   also write PNG copies of every picture to DIR
    --root DIR                               use DIR instead of sample/ (with --check, --selftest)

Python 3 standard library only.  Output is deterministic: two runs give the
same bytes.  Every data file is Windows-1252 with CR LF line ends.

The installation describes Kelmor's range of water-supply gate valves and valve
crosses (DN 80 to DN 300): the parameter file Tessaro.dat, the article file
Vantordata.dat, six language files, two information texts per language, the
pictures, the report directory with the maker's logo, personal.ini and a README.
"""

import os
import re
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gif  # noqa: E402  (the picture library beside this script)

# ======================================================================
# The valve range
# ======================================================================

PROGRAM_VERSION = "1.8.11"
CODE_SUFFIX = "-V18"
ADMIN_PASS_CODE = "KelmorAdm"          # exactly 9 characters; stored reversed
PARAM_IDENT = "Tessaro.dat  Kelmor vannventiler  rev. 2026-11"
ARTICLE_HEAD_1 = "Vantordata.dat - Kelmor artikkeldata for Tessaro"
ARTICLE_HEAD_2 = "01.11.2026 08:00:00"
HOME_PAGE = "https://www.kelmor.example/"
CONFIGURATOR_PAGE = "https://www.kelmor.example/tessaro/"
LANGS = ["NO", "EN", "DE", "FI", "DK", "SE"]
FOREIGN = LANGS[1:]
WINDOW_W, WINDOW_H = 9850, 10550

# Nominal sizes and their code letters (valve dimensions and flange sizes
# share the letters, so a code reads e.g. ...C...FC for DN 150 with a DN 150 flange).
DN_LETTER = {50: "H", 80: "A", 100: "B", 150: "C", 200: "D", 250: "E", 300: "F",
             350: "G"}
DN_SERIES = [50, 80, 100, 150, 200, 250, 300, 350]
# Outside diameters of PE pipes for the spigot end, and their letters.
PE_LETTER = {63: "K", 90: "L", 110: "M", 125: "N", 160: "P", 180: "Q", 200: "R",
             225: "S", 250: "T", 280: "U", 315: "V", 355: "W"}
PE_FOR_DN = {80: [63, 90, 110], 100: [90, 110, 125], 150: [125, 160, 180],
             200: [180, 200, 225], 250: [225, 250, 280], 300: [280, 315, 355]}

# Valve types: index 1..4 in this order.
TYPES = [
    dict(key="ENKELVENTIL", letter="E", desc="Enkeltventil",
         dims=[80, 100, 150, 200, 250, 300], slots="NS", conns="ENKEL"),
    dict(key="TKRYSS", letter="T", desc="T-kryss",
         dims=[80, 100, 150, 200, 250, 300], slots="NES", conns="KRYSS"),
    dict(key="VENTILKRYSS", letter="K", desc="X-kryss",
         dims=[100, 150, 200, 250, 300], slots="NESW", conns="KRYSS"),
    dict(key="DOBBELVENTIL", letter="D", desc="Senterdel med to ventilhus",
         dims=[100, 150, 200], slots="NS", conns="KRYSS"),
]
TYPE_BY_KEY = {t["key"]: t for t in TYPES}

# Valve-house type codes (field 10 of the centre part): north, south, east, west.
HOUSE_CODES_DEFAULT = "UFOT UFOT UFOT UFOT"
HOUSE_CODES = {("TKRYSS", 250): "UFOT UFOT KORT UFOT",
               ("VENTILKRYSS", 200): "UFOT UFOT KORT KORT"}

# Connections: key, code letter, Norwegian description (column 22 on).
CONNECTIONS = [
    ("FLENS", "F", "Flens"),
    ("FLENSSERVICE", "G", "Flens med serviceuttak"),
    ("SPISS", "S", "Spissende for PE-rør"),
    ("MUFFE", "M", "Muffe for duktile rør"),
    ("BLINDFLENS", "B", "Blindflens"),
]
CONN_BY_KEY = {c[0]: c for c in CONNECTIONS}
CONN_LISTS = {"ENKEL": ["FLENS", "FLENSSERVICE", "SPISS", "MUFFE"],
              "KRYSS": ["FLENS", "FLENSSERVICE", "SPISS", "MUFFE", "BLINDFLENS"]}

# Accessories (centre part): key, letter, number (columns 22-25), description.
ACC_SMALL = [("UTEN", "U", 0, "Uten tilbehør"),
             ("GARNITYR", "G", 1500, "Med innbyggingsgarnityr"),
             ("GATEKAPPE", "K", 0, "Med gatekappe"),
             ("KOMPLETT", "B", 1500, "Med garnityr og gatekappe"),
             ("TELESKOP", "T", 1200, "Med teleskopgarnityr")]
ACC_LARGE = [("UTEN", "U", 0, "Uten tilbehør"),
             ("GARNITYR", "G", 1500, "Med innbyggingsgarnityr"),
             ("GATEKAPPE", "K", 0, "Med gatekappe"),
             ("KOMPLETT", "B", 1500, "Med garnityr og gatekappe"),
             ("ISOLASJON", "I", 0, "Med isolasjonskappe (utgått)")]
ACC_SINGLE = [("INGEN", "X", 0, "Ikke aktuelt for enkeltventil")]
ACC_TITLE = {"small": "TILBEHOR_LITEN", "large": "TILBEHOR_STOR", "single": "TILBEHOR_ENKEL"}
ACC_LIST = {"small": ACC_SMALL, "large": ACC_LARGE, "single": ACC_SINGLE}
UNUSED_ACCESSORY = "ISOLASJON"

# Option groups: tags in the order spindle quality 1, 2, closing direction 1, 2,
# wedge quality 1, 2, actuator with, without.
OPTION_TAGS = ["A2", "A4", "HL", "VL", "EP", "NBR", "AKT", "NOAKT"]
OPTION_FRAMES = [  # frame caption, option 1, option 2 (text keys)
    ("Spindelkvalitet", "A2 rustfritt stål", "A4 syrefast stål"),
    ("Lukkeretning", "Høyrelukkende", "Venstrelukkende"),
    ("Kilekvalitet", "EPDM-gummiert kile", "NBR-gummiert kile"),
    ("Aktuator", "Med aktuator", "Uten aktuator"),
]


def bottom_letter(bits):
    """Bottom letter of an option combination; bits = (spindle, closing, wedge,
    actuator), each 0 for option 1 (for the actuator: 0 = with actuator)."""
    s, c, w, a = bits
    return chr(ord("A") + 8 * s + 4 * c + 2 * w + a)


ALL_BITS = [(s, c, w, a) for s in (0, 1) for c in (0, 1) for w in (0, 1) for a in (0, 1)]


def tags_of(bits):
    return [OPTION_TAGS[2 * g + b] for g, b in enumerate(bits)]


def dim_key(dn):
    return "DN%03d" % dn


def dn4(dn):
    return "%04d" % dn


def compare_dimensions(valve, conn):
    if conn < valve:
        return "L"
    if conn > valve + 10:
        return "G"
    return "E"


def conn_dims(dn, conn):
    """Lines of the connection-dimension section for valve size dn:
    list of (key, letter, mm)."""
    i = DN_SERIES.index(dn)
    if conn == "FLENS":
        sizes = ([DN_SERIES[i - 2]] if dn >= 150 else []) + [DN_SERIES[i - 1], dn,
                                                             DN_SERIES[i + 1]]
    elif conn == "FLENSSERVICE":
        sizes = [DN_SERIES[i - 1], dn, DN_SERIES[i + 1]]
    elif conn == "MUFFE":
        sizes = [DN_SERIES[i - 1], dn]
    elif conn == "BLINDFLENS":
        sizes = [dn]
    elif conn == "SPISS":
        return [("PE%03d" % od, PE_LETTER[od], od) for od in PE_FOR_DN[dn]]
    else:
        raise KeyError(conn)
    return [(dim_key(mm), DN_LETTER[mm], mm) for mm in sizes]


def accessory_kind(type_key, dn):
    if type_key == "ENKELVENTIL":
        return "single"
    return "small" if dn <= 100 else "large"


def cpd_sections():
    """(section key, accessory kind) of every "¤CPD_" section."""
    out = []
    for t in TYPES:
        small = [dn for dn in t["dims"] if dn <= 100]
        for dn in small:
            out.append(("CPD_%s_%s" % (t["key"], dn4(dn)), accessory_kind(t["key"], dn)))
        out.append(("CPD_%s_+" % t["key"], accessory_kind(t["key"], 150)))
    return out


def house_codes(type_key, dn):
    return HOUSE_CODES.get((type_key, dn), HOUSE_CODES_DEFAULT)


# Example codes for the README; every one is checked by --selftest.
def make_code(type_key, bits, acc, dn, slots):
    t = TYPE_BY_KEY[type_key]
    pos = ["X"] * 12
    pos[0] = t["letter"]
    pos[1] = bottom_letter(bits)
    pos[2] = "X" if type_key == "ENKELVENTIL" else dict(
        (a[0], a[1]) for a in ACC_LIST[accessory_kind(type_key, dn)])[acc]
    pos[3] = DN_LETTER[dn]
    where = {"N": 4, "E": 6, "S": 8, "W": 10}
    for slot, (conn, ckey) in slots.items():
        pos[where[slot]] = CONN_BY_KEY[conn][1]
        pos[where[slot] + 1] = dict((k, l) for k, l, _ in conn_dims(dn, conn))[ckey]
    return "".join(pos) + CODE_SUFFIX


EXAMPLES = [
    ("ENKELVENTIL", (0, 0, 0, 1), None, 150,
     {"N": ("FLENS", "DN150"), "S": ("FLENS", "DN150")},
     "single valve DN 150, A2/clockwise/EPDM, no actuator, flanges DN 150 both ends"),
    ("ENKELVENTIL", (0, 0, 0, 1), None, 80,
     {"N": ("MUFFE", "DN080"), "S": ("SPISS", "PE090")},
     "single valve DN 80, socket DN 80 at 12, PE spigot 90 at 6"),
    ("ENKELVENTIL", (1, 0, 0, 1), None, 200,
     {"N": ("SPISS", "PE200"), "S": ("FLENS", "DN200")},
     "single valve DN 200 with A4 spindle, PE 200 spigot at 12, flange at 6"),
    ("ENKELVENTIL", (0, 0, 1, 0), None, 100,
     {"N": ("FLENSSERVICE", "DN100"), "S": ("FLENS", "DN080")},
     "single valve DN 100 with NBR wedge and actuator, service flange at 12, reducer to DN 80 at 6"),
    ("TKRYSS", (0, 0, 0, 1), "GARNITYR", 150,
     {"N": ("FLENS", "DN150"), "E": ("SPISS", "PE160"), "S": ("FLENS", "DN150")},
     "T-cross DN 150 with installation set, PE 160 spigot at 3 o'clock (has an NRF number)"),
    ("TKRYSS", (0, 0, 0, 1), "UTEN", 80,
     {"N": ("FLENS", "DN080"), "E": ("BLINDFLENS", "DN080"), "S": ("MUFFE", "DN080")},
     "T-cross DN 80, blind flange at 3 o'clock, socket at 6"),
    ("TKRYSS", (0, 1, 0, 1), "GATEKAPPE", 250,
     {"N": ("FLENS", "DN250"), "E": ("FLENS", "DN250"), "S": ("FLENS", "DN250")},
     "T-cross DN 250, anticlockwise closing; its east valve house is the short kind (two valve-house rows)"),
    ("TKRYSS", (1, 0, 1, 0), "GATEKAPPE", 300,
     {"N": ("SPISS", "PE315"), "E": ("FLENSSERVICE", "DN250"), "S": ("FLENS", "DN350")},
     "T-cross DN 300, A4 spindle, NBR wedge and actuator, service flange reduced to DN 250 at 3"),
    ("VENTILKRYSS", (0, 0, 0, 1), "KOMPLETT", 200,
     {"N": ("FLENS", "DN200"), "E": ("FLENS", "DN200"), "S": ("FLENS", "DN200"),
      "W": ("FLENS", "DN200")},
     "X-cross DN 200 with set and street cap; east and west valve houses short (has an NRF number)"),
    ("VENTILKRYSS", (0, 0, 0, 0), "GARNITYR", 150,
     {"N": ("FLENS", "DN100"), "E": ("FLENSSERVICE", "DN150"), "S": ("SPISS", "PE160"),
      "W": ("MUFFE", "DN150")},
     "X-cross DN 150 with actuator, reducer to DN 100 at 12, one of each connection"),
    ("VENTILKRYSS", (0, 0, 0, 1), "ISOLASJON", 300,
     {"N": ("FLENS", "DN350"), "E": ("FLENS", "DN300"), "S": ("FLENS", "DN300"),
      "W": ("BLINDFLENS", "DN300")},
     "X-cross DN 300 with the withdrawn insulation cover (article marked UNUSED), enlarger to DN 350 at 12"),
    ("DOBBELVENTIL", (0, 0, 0, 1), "UTEN", 150,
     {"N": ("FLENS", "DN150"), "S": ("FLENS", "DN150")},
     "centre part with two valve houses DN 150 (type 4, typed code only)"),
    ("DOBBELVENTIL", (0, 0, 0, 0), "GARNITYR", 100,
     {"N": ("FLENS", "DN100"), "S": ("SPISS", "PE110")},
     "type 4 DN 100 with actuator, PE 110 spigot at 6"),
    ("DOBBELVENTIL", (1, 1, 1, 1), "KOMPLETT", 200,
     {"N": ("MUFFE", "DN150"), "S": ("BLINDFLENS", "DN200")},
     "type 4 DN 200, A4/anticlockwise/NBR without actuator, socket DN 150 at 12, blind flange at 6"),
]
NRF_NUMBERS = {4: "NRF 5316204", 8: "NRF 5316218"}   # example index -> NRF number text


def example_codes():
    return [(make_code(*e[:5]), e[5]) for e in EXAMPLES]


# ======================================================================
# Texts: translations of every text key, list sections, help panels
# ======================================================================

# Norwegian text of a key -> (EN, DE, FI, DK, SE)
TRANSLATIONS = {
    # program literals
    "Avbryt": ("Cancel", "Abbrechen", "Peruuta", "Annuller", "Avbryt"),
    "Kode": ("Code", "Code", "Koodi", "Kode", "Kod"),
    "Start ny": ("Start new", "Neu beginnen", "Aloita alusta", "Start forfra", "Börja om"),
    "Mangler": ("Missing", "Fehlt", "Puuttuu", "Mangler", "Saknas"),
    "Koden er kopiert": ("The code is copied", "Der Code ist kopiert", "Koodi on kopioitu",
                         "Koden er kopieret", "Koden är kopierad"),
    "Rapporten er skrevet:": ("The report is written:", "Der Bericht ist geschrieben:",
                              "Raportti on kirjoitettu:", "Rapporten er skrevet:",
                              "Rapporten är skriven:"),
    "Rapporten kunne ikke åpnes, den ligger i": (
        "The report could not be opened; it is in",
        "Der Bericht konnte nicht geöffnet werden; er liegt in",
        "Raporttia ei voitu avata; se on kansiossa",
        "Rapporten kunne ikke åbnes; den ligger i",
        "Rapporten kunde inte öppnas; den ligger i"),
    "Bestillingsnummer": ("Order code", "Bestellnummer", "Tilausnumero",
                          "Bestillingsnummer", "Beställningsnummer"),
    " stk": (" pcs", " Stk.", " kpl", " stk.", " st"),
    "Tilkobling klokka 12": ("Connection at 12 o'clock", "Anschluss bei 12 Uhr",
                             "Liitäntä kello 12", "Tilslutning klokken 12",
                             "Anslutning klockan 12"),
    "Tilkobling klokka 3": ("Connection at 3 o'clock", "Anschluss bei 3 Uhr",
                            "Liitäntä kello 3", "Tilslutning klokken 3",
                            "Anslutning klockan 3"),
    "Tilkobling klokka 6": ("Connection at 6 o'clock", "Anschluss bei 6 Uhr",
                            "Liitäntä kello 6", "Tilslutning klokken 6",
                            "Anslutning klockan 6"),
    "Tilkobling klokka 9": ("Connection at 9 o'clock", "Anschluss bei 9 Uhr",
                            "Liitäntä kello 9", "Tilslutning klokken 9",
                            "Anslutning klockan 9"),
    "Tilkobling kl 12:": ("Connection 12 o'clock:", "Anschluss 12 Uhr:", "Liitäntä klo 12:",
                          "Tilslutning kl. 12:", "Anslutning kl. 12:"),
    "Tilkobling kl 3:": ("Connection 3 o'clock:", "Anschluss 3 Uhr:", "Liitäntä klo 3:",
                         "Tilslutning kl. 3:", "Anslutning kl. 3:"),
    "Tilkobling kl 6:": ("Connection 6 o'clock:", "Anschluss 6 Uhr:", "Liitäntä klo 6:",
                         "Tilslutning kl. 6:", "Anslutning kl. 6:"),
    "Tilkobling kl 9:": ("Connection 9 o'clock:", "Anschluss 9 Uhr:", "Liitäntä klo 9:",
                         "Tilslutning kl. 9:", "Anslutning kl. 9:"),
    "Tilkobling kl. 12": ("Connection 12 o'clock", "Anschluss 12 Uhr", "Liitäntä klo 12",
                          "Tilslutning kl. 12", "Anslutning kl. 12"),
    "Tilkobling kl. 3": ("Connection 3 o'clock", "Anschluss 3 Uhr", "Liitäntä klo 3",
                         "Tilslutning kl. 3", "Anslutning kl. 3"),
    "Tilkobling kl. 6": ("Connection 6 o'clock", "Anschluss 6 Uhr", "Liitäntä klo 6",
                         "Tilslutning kl. 6", "Anslutning kl. 6"),
    "Tilkobling kl. 9": ("Connection 9 o'clock", "Anschluss 9 Uhr", "Liitäntä klo 9",
                         "Tilslutning kl. 9", "Anslutning kl. 9"),
    "Kelmor": ("Kelmor", "Kelmor", "Kelmor", "Kelmor", "Kelmor"),
    "Tlf: +47 51 00 00 00": ("Phone: +47 51 00 00 00", "Tel.: +47 51 00 00 00",
                             "Puh.: +47 51 00 00 00", "Tlf.: +47 51 00 00 00",
                             "Tfn: +47 51 00 00 00"),
    "E-post: ordre@kelmor.example": ("E-mail: ordre@kelmor.example",
                                     "E-Mail: ordre@kelmor.example",
                                     "Sähköposti: ordre@kelmor.example",
                                     "E-mail: ordre@kelmor.example",
                                     "E-post: ordre@kelmor.example"),
    "Må oppgis ved bestilling pr.mail og ev. påføres tegninger": (
        "Must be stated when ordering by e-mail and should be marked on drawings",
        "Bei Bestellung per E-Mail angeben und ggf. auf Zeichnungen vermerken",
        "Ilmoitettava sähköpostitilauksessa ja merkittävä tarvittaessa piirustuksiin",
        "Skal oplyses ved bestilling pr. mail og evt. påføres tegninger",
        "Ska anges vid beställning per e-post och ev. föras in på ritningar"),
    "Oppgi ønsket antall": ("State the quantity required", "Gewünschte Anzahl angeben",
                            "Ilmoita haluttu määrä", "Angiv ønsket antal",
                            "Ange önskat antal"),
    "Bestilling fra": ("Order from", "Bestellung von", "Tilaaja", "Bestilling fra",
                       "Beställning från"),
    "Firma": ("Company", "Firma", "Yritys", "Firma", "Företag"),
    "Bestillers navn": ("Name of person ordering", "Name des Bestellers", "Tilaajan nimi",
                        "Bestillers navn", "Beställarens namn"),
    "Fakturaadresse": ("Invoice address", "Rechnungsadresse", "Laskutusosoite",
                       "Fakturaadresse", "Fakturaadress"),
    "Levering": ("Delivery", "Lieferung", "Toimitus", "Levering", "Leverans"),
    "Bestillers sign": ("Signature of person ordering", "Unterschrift des Bestellers",
                        "Tilaajan allekirjoitus", "Bestillers underskrift",
                        "Beställarens underskrift"),
    "Tips for utskrift på 1 side: Velg File, Forhåndsvisning, 68-75%": (
        "Tip for printing on 1 page: choose File, Print preview, 68-75%",
        "Tipp für den Druck auf 1 Seite: Datei, Druckvorschau, 68-75% wählen",
        "Vinkki tulostukseen yhdelle sivulle: valitse Tiedosto, Esikatselu, 68-75%",
        "Tip til udskrift på 1 side: Vælg Filer, Vis udskrift, 68-75%",
        "Tips för utskrift på 1 sida: Välj Arkiv, Förhandsgranska, 68-75%"),
    "Aktuator": ("Actuator", "Stellantrieb", "Toimilaite", "Aktuator", "Ställdon"),
    "Senterdel": ("Centre part", "Mittelteil", "Keskiosa", "Centerdel", "Centrumdel"),
    # valve-type buttons ("¤¤" + description)
    "Enkeltventil": ("Single valve", "Einzelschieber", "Yksittäisventtiili",
                     "Enkeltventil", "Enkelventil"),
    "T-kryss": ("T-cross", "T-Kreuz", "T-risteys", "T-kryds", "T-kors"),
    "X-kryss": ("X-cross", "X-Kreuz", "X-risteys", "X-kryds", "X-kors"),
    "Senterdel med to ventilhus": ("Centre part with two valve houses",
                                   "Mittelteil mit zwei Schiebergehäusen",
                                   "Keskiosa kahdella venttiilipesällä",
                                   "Centerdel med to ventilhuse",
                                   "Centrumdel med två ventilhus"),
    # option groups (head of the parameter file)
    "Spindelkvalitet": ("Spindle quality", "Spindelqualität", "Karan laatu",
                        "Spindelkvalitet", "Spindelkvalitet"),
    "A2 rustfritt stål": ("A2 stainless steel", "A2 nichtrostender Stahl",
                          "A2 ruostumaton teräs", "A2 rustfrit stål", "A2 rostfritt stål"),
    "A4 syrefast stål": ("A4 acid-resistant steel", "A4 säurebeständiger Stahl",
                         "A4 haponkestävä teräs", "A4 syrefast stål", "A4 syrafast stål"),
    "Lukkeretning": ("Closing direction", "Schließrichtung", "Sulkemissuunta",
                     "Lukkeretning", "Stängningsriktning"),
    "Høyrelukkende": ("Closes clockwise", "Rechtsschließend", "Sulkeutuu myötäpäivään",
                      "Højrelukkende", "Medurs stängande"),
    "Venstrelukkende": ("Closes anticlockwise", "Linksschließend",
                        "Sulkeutuu vastapäivään", "Venstrelukkende", "Moturs stängande"),
    "Kilekvalitet": ("Wedge quality", "Keilqualität", "Kiilan laatu", "Kilekvalitet",
                     "Kilkvalitet"),
    "EPDM-gummiert kile": ("EPDM-coated wedge", "EPDM-gummierter Keil",
                           "EPDM-pinnoitettu kiila", "EPDM-gummieret kile",
                           "EPDM-gummerad kil"),
    "NBR-gummiert kile": ("NBR-coated wedge", "NBR-gummierter Keil",
                          "NBR-pinnoitettu kiila", "NBR-gummieret kile",
                          "NBR-gummerad kil"),
    "Med aktuator": ("With actuator", "Mit Stellantrieb", "Toimilaitteella",
                     "Med aktuator", "Med ställdon"),
    "Uten aktuator": ("Without actuator", "Ohne Stellantrieb", "Ilman toimilaitetta",
                      "Uden aktuator", "Utan ställdon"),
    # start screen
    "Programversjon": ("Program version", "Programmversion", "Ohjelmaversio",
                       "Programversion", "Programversion"),
    "Parameterfil datert": ("Parameter file dated", "Parameterdatei vom",
                            "Parametritiedoston päiväys", "Parameterfil dateret",
                            "Parameterfil daterad"),
    "Artikkelfil datert": ("Article file dated", "Artikeldatei vom",
                           "Nimiketiedoston päiväys", "Artikelfil dateret",
                           "Artikelfil daterad"),
    "Klikk her for å åpne Tessaro-sidene på nett": (
        "Click here to open the Tessaro web pages",
        "Hier klicken, um die Tessaro-Webseiten zu öffnen",
        "Avaa Tessaron verkkosivut napsauttamalla tästä",
        "Klik her for at åbne Tessaro-siderne på nettet",
        "Klicka här för att öppna Tessaro-sidorna på webben"),
    "Konfigurer ny ventil": ("Configure a new valve", "Neuen Schieber konfigurieren",
                             "Konfiguroi uusi venttiili", "Konfigurer ny ventil",
                             "Konfigurera ny ventil"),
    "Rekonfigurer fra kode": ("Reconfigure from a code", "Aus einem Code konfigurieren",
                              "Konfiguroi koodista", "Rekonfigurer fra kode",
                              "Konfigurera om från kod"),
    # result screen
    "Resultat": ("Result", "Ergebnis", "Tulos", "Resultat", "Resultat"),
    "Kopier kode": ("Copy code", "Code kopieren", "Kopioi koodi", "Kopier kode",
                    "Kopiera kod"),
    "Tilbake": ("Back", "Zurück", "Takaisin", "Tilbage", "Tillbaka"),
    "Rapport": ("Report", "Bericht", "Raportti", "Rapport", "Rapport"),
    # enlarged picture and its dimensions
    "Mål i millimeter, byggelengder fra flens til flens": (
        "Dimensions in millimetres, build lengths from flange to flange",
        "Maße in Millimetern, Baulängen von Flansch zu Flansch",
        "Mitat millimetreinä, rakennuspituudet laipasta laippaan",
        "Mål i millimeter, byggelængder fra flange til flange",
        "Mått i millimeter, bygglängder från fläns till fläns"),
    "Klikk i bildet for å lukke": ("Click the picture to close it",
                                   "Zum Schließen in das Bild klicken",
                                   "Sulje napsauttamalla kuvaa",
                                   "Klik i billedet for at lukke",
                                   "Klicka i bilden för att stänga"),
    "Byggelengde": ("Build length", "Baulänge", "Rakennuspituus", "Byggelængde",
                    "Bygglängd"),
    "Byggebredde": ("Build width", "Baubreite", "Rakennusleveys", "Byggebredde",
                    "Byggbredd"),
    "Ventilhus kl. 12": ("Valve house 12 o'clock", "Schiebergehäuse 12 Uhr",
                         "Venttiilipesä klo 12", "Ventilhus kl. 12", "Ventilhus kl. 12"),
    "Ventilhus kl. 6": ("Valve house 6 o'clock", "Schiebergehäuse 6 Uhr",
                        "Venttiilipesä klo 6", "Ventilhus kl. 6", "Ventilhus kl. 6"),
    # order report
    "Ordreskjema for sammenstilt ventil": ("Order form for an assembled valve",
                                           "Bestellformular für einen montierten Schieber",
                                           "Kootun venttiilin tilauslomake",
                                           "Bestillingsskema for samlet ventil",
                                           "Beställningsformulär för sammansatt ventil"),
    "Parameterfil": ("Parameter file", "Parameterdatei", "Parametritiedosto",
                     "Parameterfil", "Parameterfil"),
    "Artikkelfil": ("Article file", "Artikeldatei", "Nimiketiedosto", "Artikelfil",
                    "Artikelfil"),
    "Rapportdato": ("Report date", "Berichtsdatum", "Raportin päiväys", "Rapportdato",
                    "Rapportdatum"),
    "Ventilkode": ("Valve code", "Schiebercode", "Venttiilikoodi", "Ventilkode",
                   "Ventilkod"),
    "NRF-nummer": ("NRF number", "NRF-Nummer", "NRF-numero", "NRF-nummer", "NRF-nummer"),
    "med tilkoblinger": ("with connections", "mit Anschlüssen", "liitäntöineen",
                         "med tilslutninger", "med anslutningar"),
    "Artikkelnr.": ("Article no.", "Artikel-Nr.", "Nimikenro", "Varenr.", "Artikelnr."),
    "Dimensjon": ("Size", "Nennweite", "Koko", "Dimension", "Dimension"),
    "Beskrivelse": ("Description", "Beschreibung", "Kuvaus", "Beskrivelse", "Beskrivning"),
    "Vekt": ("Weight", "Gewicht", "Paino", "Vægt", "Vikt"),
    "Merknad": ("Remark", "Bemerkung", "Huomautus", "Bemærkning", "Anmärkning"),
    "Pris": ("Price", "Preis", "Hinta", "Pris", "Pris"),
    "Vertikal byggelengde": ("Vertical build length", "Vertikale Baulänge",
                             "Pystysuora rakennuspituus", "Vertikal byggelængde",
                             "Vertikal bygglängd"),
    "Horisontal byggelengde": ("Horizontal build length", "Horizontale Baulänge",
                               "Vaakasuora rakennuspituus", "Horisontal byggelængde",
                               "Horisontell bygglängd"),
    "Totalvekt": ("Total weight", "Gesamtgewicht", "Kokonaispaino", "Totalvægt",
                  "Totalvikt"),
    " - skriv ut i stående format": (" - print in portrait format",
                                     " - im Hochformat drucken",
                                     " - tulosta pystysuuntaan",
                                     " - udskriv i stående format",
                                     " - skriv ut i stående format"),
    # administration screen and article editor
    "Programinnstillinger": ("Program settings", "Programmeinstellungen",
                             "Ohjelman asetukset", "Programindstillinger",
                             "Programinställningar"),
    "Dataadministrasjon": ("Data administration", "Datenverwaltung", "Tietojen hallinta",
                           "Dataadministration", "Dataadministration"),
    "Vis ventilhus (_VHK)": ("Show valve houses (_VHK)", "Gehäuse zeigen (_VHK)",
                             "Näytä venttiilipesät (_VHK)", "Vis ventilhuse (_VHK)",
                             "Visa ventilhus (_VHK)"),
    "Vis senterdeler (_CPD)": ("Show centre parts (_CPD)", "Mittelteile zeigen (_CPD)",
                               "Näytä keskiosat (_CPD)", "Vis centerdele (_CPD)",
                               "Visa centrumdelar (_CPD)"),
    "Vis tilbehør (_BRV)": ("Show accessories (_BRV)", "Zubehör zeigen (_BRV)",
                            "Näytä lisävarusteet (_BRV)", "Vis tilbehør (_BRV)",
                            "Visa tillbehör (_BRV)"),
    "Vis tilkoblinger (_TK)": ("Show connections (_TK)", "Anschlüsse zeigen (_TK)",
                               "Näytä liitännät (_TK)", "Vis tilslutninger (_TK)",
                               "Visa anslutningar (_TK)"),
    "Ny tilkobling (_TK)": ("New connection (_TK)", "Neuer Anschluss (_TK)",
                            "Uusi liitäntä (_TK)", "Ny tilslutning (_TK)",
                            "Ny anslutning (_TK)"),
    "Vis aktuatorer (_AKT)": ("Show actuators (_AKT)", "Stellantriebe zeigen (_AKT)",
                              "Näytä toimilaitteet (_AKT)", "Vis aktuatorer (_AKT)",
                              "Visa ställdon (_AKT)"),
    "Vis spindler (_SPK)": ("Show spindles (_SPK)", "Spindeln zeigen (_SPK)",
                            "Näytä karat (_SPK)", "Vis spindler (_SPK)",
                            "Visa spindlar (_SPK)"),
    "Vis lukkeretninger (_CLD)": ("Show closing directions (_CLD)",
                                  "Schließrichtungen zeigen (_CLD)",
                                  "Näytä sulkemissuunnat (_CLD)",
                                  "Vis lukkeretninger (_CLD)",
                                  "Visa stängningsriktningar (_CLD)"),
    "Rediger artikkel": ("Edit article", "Artikel bearbeiten", "Muokkaa nimikettä",
                         "Rediger artikel", "Redigera artikel"),
    "Tilleggstekst": ("Additional text", "Zusatztext", "Lisäteksti", "Tillægstekst",
                      "Tilläggstext"),
    "Lengde": ("Length", "Länge", "Pituus", "Længde", "Längd"),
    "Blokknavn": ("Block name", "Blockname", "Lohkon nimi", "Bloknavn", "Blocknamn"),
    "Ventilhuskoder": ("Valve house codes", "Gehäusecodes", "Venttiilipesäkoodit",
                       "Ventilhuskoder", "Ventilhuskoder"),
    "Felt 11": ("Field 11", "Feld 11", "Kenttä 11", "Felt 11", "Fält 11"),
    "Felt 12": ("Field 12", "Feld 12", "Kenttä 12", "Felt 12", "Fält 12"),
    "Lagre": ("Save", "Speichern", "Tallenna", "Gem", "Spara"),
    # article file
    "Uten tilbehør": ("Without accessories", "Ohne Zubehör", "Ilman lisävarusteita",
                      "Uden tilbehør", "Utan tillbehör"),
}

# Text keys that the program itself carries (besides the data files).
PROGRAM_TEXT_KEYS = [
    "Avbryt", "Kode", "Start ny", "Mangler", "Bestillingsnummer", " stk",
    "Koden er kopiert", "Rapporten er skrevet:", "Rapporten kunne ikke åpnes, den ligger i",
    "Tilkobling klokka 12", "Tilkobling klokka 3", "Tilkobling klokka 6",
    "Tilkobling klokka 9", "Tilkobling kl 12:", "Tilkobling kl 3:", "Tilkobling kl 6:",
    "Tilkobling kl 9:", "Tilkobling kl. 12", "Tilkobling kl. 3", "Tilkobling kl. 6",
    "Tilkobling kl. 9", "Kelmor", "Tlf: +47 51 00 00 00", "E-post: ordre@kelmor.example",
    "Må oppgis ved bestilling pr.mail og ev. påføres tegninger", "Oppgi ønsket antall",
    "Bestilling fra", "Firma", "Bestillers navn", "Fakturaadresse", "Levering",
    "Bestillers sign", "Tips for utskrift på 1 side: Velg File, Forhåndsvisning, 68-75%",
    "Aktuator", "Senterdel",
] + [t["desc"] for t in TYPES]

# Language heads and valve-page captions, per language.
LANG_HEAD = {
    "NO": dict(caption="Tessaro - Kelmor ventilkonfigurator",
               top="Tessaro ventilkonfigurator", exit="Avbryt", back="Tilbake", next="Neste",
               frame="Ventiltype",
               tip="Klikk på bildet for å bytte ventiltype, høyreklikk for hjelp",
               acc_frame="Tilbehør", acc_label="Velg tilbehør:",
               dim_frame="Dimensjon", dim_label="Velg nominell dimensjon:",
               slots=("Tilkobling kl. 12", "Tilkobling kl. 6", "Tilkobling kl. 3",
                      "Tilkobling kl. 9"),
               conn_label="Velg tilkobling:", cdim_label="Velg dimensjon:",
               unused="(ikke i bruk)",
               types=("Enkeltventil", "T-kryss", "X-kryss", "Senterdel med to ventilhus")),
    "EN": dict(caption="Tessaro - Kelmor valve configurator",
               top="Tessaro valve configurator", exit="Cancel", back="Back", next="Next",
               frame="Valve type",
               tip="Click the picture to change the valve type, right-click for help",
               acc_frame="Accessories", acc_label="Choose an accessory:",
               dim_frame="Size", dim_label="Choose the nominal size:",
               slots=("Connection 12 o'clock", "Connection 6 o'clock",
                      "Connection 3 o'clock", "Connection 9 o'clock"),
               conn_label="Choose connection:", cdim_label="Choose the size:",
               unused="(not used)",
               types=("Single valve", "T-cross", "X-cross",
                      "Centre part with two valve houses")),
    "DE": dict(caption="Tessaro - Kelmor Schieberkonfigurator",
               top="Tessaro Schieberkonfigurator", exit="Abbrechen", back="Zurück",
               next="Weiter", frame="Schiebertyp",
               tip="Klicken Sie auf das Bild, um den Schiebertyp zu wechseln; Rechtsklick für Hilfe",
               acc_frame="Zubehör", acc_label="Zubehör wählen:",
               dim_frame="Nennweite", dim_label="Nennweite wählen:",
               slots=("Anschluss 12 Uhr", "Anschluss 6 Uhr", "Anschluss 3 Uhr",
                      "Anschluss 9 Uhr"),
               conn_label="Anschluss wählen:", cdim_label="Größe wählen:",
               unused="(nicht benutzt)",
               types=("Einzelschieber", "T-Kreuz", "X-Kreuz",
                      "Mittelteil mit zwei Schiebergehäusen")),
    "FI": dict(caption="Tessaro - Kelmor-venttiilikonfiguraattori",
               top="Tessaro-venttiilikonfiguraattori", exit="Peruuta", back="Takaisin",
               next="Seuraava", frame="Venttiilityyppi",
               tip="Vaihda venttiilityyppiä napsauttamalla kuvaa, ohje oikealla painikkeella",
               acc_frame="Lisävarusteet", acc_label="Valitse lisävaruste:",
               dim_frame="Koko", dim_label="Valitse nimelliskoko:",
               slots=("Liitäntä klo 12", "Liitäntä klo 6", "Liitäntä klo 3",
                      "Liitäntä klo 9"),
               conn_label="Valitse liitäntä:", cdim_label="Valitse liitäntäkoko:",
               unused="(ei käytössä)",
               types=("Yksittäisventtiili", "T-risteys", "X-risteys",
                      "Keskiosa kahdella venttiilipesällä")),
    "DK": dict(caption="Tessaro - Kelmor ventilkonfigurator",
               top="Tessaro ventilkonfigurator", exit="Annuller", back="Tilbage",
               next="Næste", frame="Ventiltype",
               tip="Klik på billedet for at skifte ventiltype, højreklik for hjælp",
               acc_frame="Tilbehør", acc_label="Vælg tilbehør:",
               dim_frame="Dimension", dim_label="Vælg nominel dimension:",
               slots=("Tilslutning kl. 12", "Tilslutning kl. 6", "Tilslutning kl. 3",
                      "Tilslutning kl. 9"),
               conn_label="Vælg tilslutning:", cdim_label="Vælg dimension:",
               unused="(ikke i brug)",
               types=("Enkeltventil", "T-kryds", "X-kryds", "Centerdel med to ventilhuse")),
    "SE": dict(caption="Tessaro - Kelmor ventilkonfigurator",
               top="Tessaro ventilkonfigurator", exit="Avbryt", back="Tillbaka",
               next="Nästa", frame="Ventiltyp",
               tip="Klicka på bilden för att byta ventiltyp, högerklicka för hjälp",
               acc_frame="Tillbehör", acc_label="Välj tillbehör:",
               dim_frame="Dimension", dim_label="Välj nominell dimension:",
               slots=("Anslutning kl. 12", "Anslutning kl. 6", "Anslutning kl. 3",
                      "Anslutning kl. 9"),
               conn_label="Välj anslutning:", cdim_label="Välj dimension:",
               unused="(används inte)",
               types=("Enkelventil", "T-kors", "X-kors", "Centrumdel med två ventilhus")),
}
VALVE_BUTTON_LEFT = 200

# Translated list sections (by title line).
LIST_TRANSLATIONS = {
    "TILBEHOR_LITEN": {
        "EN": ["Without accessories", "With installation set", "With street cap",
               "With installation set and street cap", "With telescopic installation set"],
        "DE": ["Ohne Zubehör", "Mit Einbaugarnitur", "Mit Straßenkappe",
               "Mit Einbaugarnitur und Straßenkappe", "Mit Teleskop-Einbaugarnitur"],
        "FI": ["Ilman lisävarusteita", "Asennusvarusteella", "Katukannella",
               "Asennusvarusteella ja katukannella", "Teleskooppiasennusvarusteella"],
        "DK": ["Uden tilbehør", "Med indbygningsgarnitur", "Med gadekappe",
               "Med garnitur og gadekappe", "Med teleskopgarnitur"],
        "SE": ["Utan tillbehör", "Med nedbyggnadsgarnityr", "Med gatubetäckning",
               "Med garnityr och gatubetäckning", "Med teleskopgarnityr"],
    },
    "TILBEHOR_STOR": {
        "EN": ["Without accessories", "With installation set", "With street cap",
               "With installation set and street cap", "With insulation cover (withdrawn)"],
        "DE": ["Ohne Zubehör", "Mit Einbaugarnitur", "Mit Straßenkappe",
               "Mit Einbaugarnitur und Straßenkappe", "Mit Isolierhaube (ausgelaufen)"],
        "FI": ["Ilman lisävarusteita", "Asennusvarusteella", "Katukannella",
               "Asennusvarusteella ja katukannella", "Eristyssuojuksella (poistunut)"],
        "DK": ["Uden tilbehør", "Med indbygningsgarnitur", "Med gadekappe",
               "Med garnitur og gadekappe", "Med isoleringskappe (udgået)"],
        "SE": ["Utan tillbehör", "Med nedbyggnadsgarnityr", "Med gatubetäckning",
               "Med garnityr och gatubetäckning", "Med isoleringshuv (utgått)"],
    },
    "TILBEHOR_ENKEL": {
        "EN": ["Not applicable to single valves"],
        "DE": ["Entfällt bei Einzelschiebern"],
        "FI": ["Ei koske yksittäisventtiiliä"],
        "DK": ["Ikke relevant for enkeltventil"],
        "SE": ["Ej aktuellt för enkelventil"],
    },
}
CONN_TEXT = {  # connection descriptions per language, in CONNECTIONS order
    "NO": [c[2] for c in CONNECTIONS],
    "EN": ["Flange", "Flange with service tapping", "Spigot end for PE pipe",
           "Socket for ductile iron pipe", "Blind flange"],
    "DE": ["Flansch", "Flansch mit Serviceanschluss", "Einsteckende für PE-Rohr",
           "Muffe für duktiles Gussrohr", "Blindflansch"],
    "FI": ["Laippa", "Laippa huoltoliitännällä", "Sileä pää PE-putkelle",
           "Muhvi pallografiittivaluputkelle", "Umpilaippa"],
    "DK": ["Flange", "Flange med serviceudtag", "Spidsende for PE-rør",
           "Muffe for duktile rør", "Blindflange"],
    "SE": ["Fläns", "Fläns med serviceuttag", "Spetsände för PE-rör",
           "Muff för segjärnsrör", "Blindfläns"],
}
CONN_TITLE = {"ENKEL": "TILKOBLING_ENKEL", "KRYSS": "TILKOBLING_KRYSS"}

# Connection-dimension descriptions: "<alt> <letter>: <name> DN <mm> - <relation>".
# In the parameter file the Norwegian text starts "Alt X:" so that the line's
# code letter also stands in column 30, where the menu check reads it.
CDIM_WORDS = {
    "NO": dict(alt="Alt", names=dict(FLENS="Flens", FLENSSERVICE="Serviceflens",
                                     SPISS="Spissende PE", MUFFE="Muffe",
                                     BLINDFLENS="Blindflens"),
               rel=dict(L="reduksjon", E="lik dimensjon", G="overgang til større")),
    "EN": dict(alt="Opt.", names=dict(FLENS="Flange", FLENSSERVICE="Service flange",
                                      SPISS="PE spigot", MUFFE="Socket",
                                      BLINDFLENS="Blind flange"),
               rel=dict(L="reducer", E="same size", G="enlarger")),
    "DE": dict(alt="Var.", names=dict(FLENS="Flansch", FLENSSERVICE="Serviceflansch",
                                      SPISS="PE-Einsteckende", MUFFE="Muffe",
                                      BLINDFLENS="Blindflansch"),
               rel=dict(L="Reduzierung", E="gleiche Nennweite", G="Erweiterung")),
    "FI": dict(alt="Vaiht.", names=dict(FLENS="Laippa", FLENSSERVICE="Huoltolaippa",
                                        SPISS="PE-sileä pää", MUFFE="Muhvi",
                                        BLINDFLENS="Umpilaippa"),
               rel=dict(L="supistus", E="sama koko", G="laajennus")),
    "DK": dict(alt="Alt.", names=dict(FLENS="Flange", FLENSSERVICE="Serviceflange",
                                      SPISS="Spidsende PE", MUFFE="Muffe",
                                      BLINDFLENS="Blindflange"),
               rel=dict(L="reduktion", E="samme dimension", G="overgang til større")),
    "SE": dict(alt="Alt.", names=dict(FLENS="Fläns", FLENSSERVICE="Servicefläns",
                                      SPISS="Spetsände PE", MUFFE="Muff",
                                      BLINDFLENS="Blindfläns"),
               rel=dict(L="reducering", E="samma dimension", G="övergång till större")),
}


def cdim_text(lang, dn, conn, letter, mm):
    w = CDIM_WORDS[lang]
    size = ("Ø%d" % mm) if conn == "SPISS" else ("DN %d" % mm)
    text = "%s %s: %s %s" % (w["alt"], letter, w["names"][conn], size)
    if conn != "BLINDFLENS":
        text += " - " + w["rel"][compare_dimensions(dn, mm)]
    return text


def cdim_title(dn, conn):
    return "TK_%s_%s" % (dim_key(dn), conn)


# Three faults left in the data on purpose, so that the menu check finds one
# of each kind. All sit at DN 80, which of the two lists the check walks only
# the single valve's has, so each is found once; no example code uses them.
# - The DN 100 line of ¤DN080_FLENS was copied from the DN 80 line and still
#   reads "Alt A:", so its column 30 repeats the DN 80 line's letter (column
#   20, the letter the wizard and the code use, stays B).
# - ¤DN080_FLENSSERVICE was never written: the wizard offers the service
#   flange at DN 80 with no dimension to choose.
# - The article record ¤0080_FLENS_DN050_TK was never written.
MISTYPED_COLUMN_30 = {(80, "FLENS", "DN100"): "A"}
MISSING_MENUS = {(80, "FLENSSERVICE")}
MISSING_ARTICLES = {"¤0080_FLENS_DN050_TK"}
# What the menu check reports about them, in the order written; every other
# connection line of MenuCheck.txt is a "  #" line.
MENU_CHECK_FINDINGS = [
    "    Vantordata ikke funnet for¤0080_FLENS_DN050_TK",
    "*** Kode er lik #2    ¤0080_FLENS_DN080_TK",
    "  - ¤DN080_FLENSSERVICE not found",
]


def menu_text(dn, conn, key, letter, mm):
    """The Norwegian description of a connection-dimension line in the
    parameter file."""
    return cdim_text("NO", dn, conn, MISTYPED_COLUMN_30.get((dn, conn, key), letter), mm)


# ----------------------------------------------------------------------
# Help panels: geometry (top, left, width, height, margin) and texts.
# "$" alone is a blank line; "\n" separates the panel's lines.
# ----------------------------------------------------------------------

HELP_BAND = (450, 200, 9250, 2150, 120)        # valve page, above the valve-type frame
HELP_START = (2100, 300, 9000, 2850, 150)      # start screen, over the two pictures
HELP_CODE = (1000, 1000, 7800, 2700, 150)      # code entry
HELP_TOP_LEFT = (450, 200, 3100, 2600, 100)    # connection page corners
HELP_TOP_RIGHT = (450, 6450, 3000, 2650, 100)
HELP_BOTTOM_LEFT = (5550, 200, 3100, 3200, 100)
HELP_BOTTOM_RIGHT = (5550, 6450, 3000, 3200, 100)
SLOT_HELP_PLACE = {"N": HELP_TOP_RIGHT, "E": HELP_BOTTOM_RIGHT, "S": HELP_BOTTOM_LEFT,
                   "W": HELP_TOP_LEFT}
SLOT_CLOCK = {"N": 12, "E": 3, "S": 6, "W": 9}

LANGUAGE_NAMES = {  # name of each language in each language
    "NO": dict(NO="norsk", EN="engelsk", DE="tysk", FI="finsk", DK="dansk", SE="svensk"),
    "EN": dict(NO="Norwegian", EN="English", DE="German", FI="Finnish", DK="Danish",
               SE="Swedish"),
    "DE": dict(NO="Norwegisch", EN="Englisch", DE="Deutsch", FI="Finnisch", DK="Dänisch",
               SE="Schwedisch"),
    "FI": dict(NO="norja", EN="englanti", DE="saksa", FI="suomi", DK="tanska", SE="ruotsi"),
    "DK": dict(NO="norsk", EN="engelsk", DE="tysk", FI="finsk", DK="dansk", SE="svensk"),
    "SE": dict(NO="norska", EN="engelska", DE="tyska", FI="finska", DK="danska",
               SE="svenska"),
}
FINNISH_IN = dict(NO="norjaksi", EN="englanniksi", DE="saksaksi", FI="suomeksi",
                  DK="tanskaksi", SE="ruotsiksi")


def language_help(lang, target):
    name = LANGUAGE_NAMES[lang][target]
    if lang == "NO":
        return ("Språk: %s\n$\nKlikk på flagget med venstre museknapp for å vise alle "
                "tekster på %s. Valget lagres og gjelder også neste gang programmet "
                "startes.\nHøyreklikk på et flagg viser bare denne forklaringen; språket "
                "endres ikke." % (name, name))
    if lang == "EN":
        return ("Language: %s\n$\nClick the flag with the left mouse button to show all "
                "texts in %s. The choice is saved and also applies the next time the "
                "program starts.\nRight-clicking a flag only shows this explanation; the "
                "language does not change." % (name, name))
    if lang == "DE":
        return ("Sprache: %s\n$\nKlicken Sie mit der linken Maustaste auf die Flagge, um "
                "alle Texte auf %s anzuzeigen. Die Wahl wird gespeichert und gilt auch "
                "beim nächsten Programmstart.\nEin Rechtsklick auf eine Flagge zeigt nur "
                "diese Erklärung; die Sprache ändert sich nicht." % (name, name))
    if lang == "FI":
        return ("Kieli: %s\n$\nNapsauta lippua hiiren vasemmalla painikkeella, niin kaikki "
                "tekstit näytetään %s. Valinta tallennetaan ja se on voimassa myös, kun "
                "ohjelma käynnistetään seuraavan kerran.\nLipun napsauttaminen hiiren "
                "oikealla painikkeella näyttää vain tämän ohjeen; kieli ei vaihdu."
                % (name, FINNISH_IN[target]))
    if lang == "DK":
        return ("Sprog: %s\n$\nKlik på flaget med venstre museknap for at vise alle "
                "tekster på %s. Valget gemmes og gælder også næste gang, programmet "
                "startes.\nHøjreklik på et flag viser kun denne forklaring; sproget "
                "ændres ikke." % (name, name))
    return ("Språk: %s\n$\nKlicka på flaggan med vänster musknapp för att visa alla "
            "texter på %s. Valet sparas och gäller även nästa gång programmet "
            "startas.\nHögerklick på en flagga visar bara den här förklaringen; språket "
            "ändras inte." % (name, name))


def example_for_help():
    return example_codes()[4][0]


HELP_TEXTS = {
    "Reconfig1": {
        "NO": "Rekonfigurering fra kode\n$\nSkriv inn eller lim inn en komplett ventilkode "
              "(12 tegn og endelsen {sfx}), for eksempel {ex}. Koden kontrolleres mens du "
              "skriver, og Neste blir aktiv når den er gyldig.\nMidtre museknapp i "
              "kodefeltet henter den siste koden du konfigurerte.",
        "EN": "Reconfiguring from a code\n$\nType or paste a complete valve code (12 "
              "characters and the ending {sfx}), for example {ex}. The code is checked "
              "while you type, and Next becomes active when it is valid.\nThe middle mouse "
              "button in the code box fetches the last code you configured.",
        "DE": "Konfigurieren aus einem Code\n$\nGeben Sie einen vollständigen Schiebercode "
              "ein oder fügen Sie ihn ein (12 Zeichen und die Endung {sfx}), zum Beispiel "
              "{ex}. Der Code wird während der Eingabe geprüft; ist er gültig, wird Weiter "
              "aktiv.\nDie mittlere Maustaste im Codefeld holt den zuletzt konfigurierten "
              "Code.",
        "FI": "Konfigurointi koodista\n$\nKirjoita tai liitä täydellinen venttiilikoodi "
              "(12 merkkiä ja pääte {sfx}), esimerkiksi {ex}. Koodi tarkistetaan "
              "kirjoittaessasi, ja Seuraava-painike aktivoituu, kun koodi on kelvollinen.\n"
              "Hiiren keskipainike koodikentässä hakee viimeksi konfiguroimasi koodin.",
        "DK": "Rekonfigurering fra kode\n$\nIndtast eller indsæt en komplet ventilkode (12 "
              "tegn og endelsen {sfx}), for eksempel {ex}. Koden kontrolleres, mens du "
              "skriver, og Næste bliver aktiv, når den er gyldig.\nMidterste museknap i "
              "kodefeltet henter den seneste kode, du har konfigureret.",
        "SE": "Konfigurera om från kod\n$\nSkriv in eller klistra in en fullständig ventilkod "
              "(12 tecken och ändelsen {sfx}), till exempel {ex}. Koden kontrolleras medan "
              "du skriver, och Nästa blir aktiv när den är giltig.\nMittenknappen i "
              "kodfältet hämtar den senaste koden du konfigurerade.",
    },
    "Startinfo": {
        "NO": "Slik setter du sammen en ventil\n$\n1. Velg ventiltype med knappene eller ved "
              "å klikke på bildet.\n2. Velg dimensjon og eventuelt tilbehør. Spindelkvalitet "
              "og lukkeretning blir da synlige.\n3. Trykk Neste og velg tilkobling og "
              "tilkoblingsdimensjon for hver posisjon.\nHøyreklikk på et felt viser hjelp "
              "for feltet. Klikk på denne teksten for å lukke den.",
        "EN": "How to assemble a valve\n$\n1. Choose the valve type with the buttons or by "
              "clicking the picture.\n2. Choose the size and, if wanted, an accessory. "
              "Spindle quality and closing direction then appear.\n3. Press Next and choose "
              "the connection and connection size for each position.\nRight-click a field "
              "for help on it. Click this text to close it.",
        "DE": "So stellen Sie einen Schieber zusammen\n$\n1. Wählen Sie den Schiebertyp mit "
              "den Knöpfen oder durch Klicken auf das Bild.\n2. Wählen Sie die Nennweite und "
              "bei Bedarf Zubehör. Danach erscheinen Spindelqualität und Schließrichtung.\n"
              "3. Drücken Sie Weiter und wählen Sie Anschluss und Anschlussgröße für jede "
              "Position.\nEin Rechtsklick auf ein Feld zeigt die Hilfe dazu. Klicken Sie auf "
              "diesen Text, um ihn zu schließen.",
        "FI": "Näin kokoat venttiilin\n$\n1. Valitse venttiilityyppi painikkeilla tai "
              "napsauttamalla kuvaa.\n2. Valitse koko ja tarvittaessa lisävaruste. Sen "
              "jälkeen näkyviin tulevat karan laatu ja sulkemissuunta.\n3. Paina Seuraava ja "
              "valitse liitäntä ja liitäntäkoko jokaiseen kohtaan.\nKentän ohje avautuu "
              "hiiren oikealla painikkeella. Sulje tämä teksti napsauttamalla sitä.",
        "DK": "Sådan sammensætter du en ventil\n$\n1. Vælg ventiltype med knapperne eller ved "
              "at klikke på billedet.\n2. Vælg dimension og eventuelt tilbehør. "
              "Spindelkvalitet og lukkeretning bliver derefter synlige.\n3. Tryk Næste og "
              "vælg tilslutning og tilslutningsdimension for hver position.\nHøjreklik på et "
              "felt viser hjælp til feltet. Klik på denne tekst for at lukke den.",
        "SE": "Så sätter du ihop en ventil\n$\n1. Välj ventiltyp med knapparna eller genom "
              "att klicka på bilden.\n2. Välj dimension och eventuellt tillbehör. "
              "Spindelkvalitet och stängningsriktning visas då.\n3. Tryck Nästa och välj "
              "anslutning och anslutningsdimension för varje position.\nHögerklicka på ett "
              "fält för hjälp. Klicka på den här texten för att stänga den.",
    },
    "CenterHelp1": {
        "NO": "Enkeltventil\n$\nSluseventil uten senterdel, med tilkobling kl. 12 og kl. 6. "
              "Enkeltventilen har ikke eget tilbehør.",
        "EN": "Single valve\n$\nGate valve without centre part, with connections at 12 and "
              "6 o'clock. The single valve has no accessory of its own.",
        "DE": "Einzelschieber\n$\nAbsperrschieber ohne Mittelteil, mit Anschlüssen bei 12 "
              "und 6 Uhr. Der Einzelschieber hat kein eigenes Zubehör.",
        "FI": "Yksittäisventtiili\n$\nSulkuventtiili ilman keskiosaa, liitännät klo 12 ja "
              "klo 6. Yksittäisventtiilillä ei ole omia lisävarusteita.",
        "DK": "Enkeltventil\n$\nSkydeventil uden centerdel, med tilslutning kl. 12 og "
              "kl. 6. Enkeltventilen har ikke eget tilbehør.",
        "SE": "Enkelventil\n$\nSlussventil utan centrumdel, med anslutning kl. 12 och "
              "kl. 6. Enkelventilen har inget eget tillbehör.",
    },
    "CenterHelp2": {
        "NO": "T-kryss\n$\nSenterdel med tre ventilhus og tilkoblinger kl. 12, kl. 3 og "
              "kl. 6.",
        "EN": "T-cross\n$\nCentre part with three valve houses and connections at 12, 3 and "
              "6 o'clock.",
        "DE": "T-Kreuz\n$\nMittelteil mit drei Schiebergehäusen und Anschlüssen bei 12, 3 "
              "und 6 Uhr.",
        "FI": "T-risteys\n$\nKeskiosa, jossa on kolme venttiilipesää ja liitännät klo 12, "
              "3 ja 6.",
        "DK": "T-kryds\n$\nCenterdel med tre ventilhuse og tilslutninger kl. 12, 3 og 6.",
        "SE": "T-kors\n$\nCentrumdel med tre ventilhus och anslutningar kl. 12, 3 och 6.",
    },
    "CenterHelp3": {
        "NO": "X-kryss\n$\nSenterdel med fire ventilhus og tilkoblinger i alle fire "
              "retninger.",
        "EN": "X-cross\n$\nCentre part with four valve houses and connections in all four "
              "directions.",
        "DE": "X-Kreuz\n$\nMittelteil mit vier Schiebergehäusen und Anschlüssen in alle vier "
              "Richtungen.",
        "FI": "X-risteys\n$\nKeskiosa, jossa on neljä venttiilipesää ja liitännät kaikkiin "
              "neljään suuntaan.",
        "DK": "X-kryds\n$\nCenterdel med fire ventilhuse og tilslutninger i alle fire "
              "retninger.",
        "SE": "X-kors\n$\nCentrumdel med fyra ventilhus och anslutningar i alla fyra "
              "riktningar.",
    },
    "CenterHelp4": {
        "NO": "Senterdel med to ventilhus\n$\nTilkobling kl. 12 og kl. 6. Denne typen velges "
              "bare ved å skrive inn en kode.",
        "EN": "Centre part with two valve houses\n$\nConnections at 12 and 6 o'clock. This "
              "type is only reached by typing a code.",
        "DE": "Mittelteil mit zwei Schiebergehäusen\n$\nAnschlüsse bei 12 und 6 Uhr. Dieser "
              "Typ ist nur über die Eingabe eines Codes wählbar.",
        "FI": "Keskiosa kahdella venttiilipesällä\n$\nLiitännät klo 12 ja klo 6. Tämän "
              "tyypin voi valita vain kirjoittamalla koodin.",
        "DK": "Centerdel med to ventilhuse\n$\nTilslutning kl. 12 og kl. 6. Denne type "
              "vælges kun ved at indtaste en kode.",
        "SE": "Centrumdel med två ventilhus\n$\nAnslutning kl. 12 och kl. 6. Den här typen "
              "väljs endast genom att skriva in en kod.",
    },
    "Spindlekvalitet": {
        "NO": "Spindelkvalitet\n$\nSpindelen leveres i rustfritt stål A2 eller syrefast stål "
              "A4. A4 anbefales i aggressivt vann og i sjønære anlegg.",
        "EN": "Spindle quality\n$\nThe spindle is supplied in A2 stainless steel or A4 "
              "acid-resistant steel. A4 is recommended for aggressive water and for "
              "installations near the sea.",
        "DE": "Spindelqualität\n$\nDie Spindel wird aus nichtrostendem Stahl A2 oder "
              "säurebeständigem Stahl A4 geliefert. A4 wird bei aggressivem Wasser und in "
              "Meeresnähe empfohlen.",
        "FI": "Karan laatu\n$\nKara toimitetaan ruostumattomasta A2-teräksestä tai "
              "haponkestävästä A4-teräksestä. A4:ää suositellaan syövyttävälle vedelle ja "
              "meren läheisyyteen.",
        "DK": "Spindelkvalitet\n$\nSpindlen leveres i rustfrit stål A2 eller syrefast stål "
              "A4. A4 anbefales ved aggressivt vand og i kystnære anlæg.",
        "SE": "Spindelkvalitet\n$\nSpindeln levereras i rostfritt stål A2 eller syrafast "
              "stål A4. A4 rekommenderas vid aggressivt vatten och i kustnära anläggningar.",
    },
    "optSpinQual": {
        "NO": "Spindelkvalitet\n$\nVelg A2 (rustfritt) eller A4 (syrefast). Midtre "
              "museknapp henter den sist brukte kombinasjonen av alle fire valg.",
        "EN": "Spindle quality\n$\nChoose A2 (stainless) or A4 (acid-resistant). The middle "
              "mouse button restores the last used combination of all four options.",
        "DE": "Spindelqualität\n$\nWählen Sie A2 (nichtrostend) oder A4 (säurebeständig). "
              "Die mittlere Maustaste stellt die zuletzt benutzte Kombination aller vier "
              "Optionen wieder her.",
        "FI": "Karan laatu\n$\nValitse A2 (ruostumaton) tai A4 (haponkestävä). Hiiren "
              "keskipainike palauttaa kaikkien neljän valinnan viimeksi käytetyn "
              "yhdistelmän.",
        "DK": "Spindelkvalitet\n$\nVælg A2 (rustfrit) eller A4 (syrefast). Midterste "
              "museknap henter den senest brugte kombination af alle fire valg.",
        "SE": "Spindelkvalitet\n$\nVälj A2 (rostfritt) eller A4 (syrafast). Mittenknappen "
              "hämtar den senast använda kombinationen av alla fyra val.",
    },
    "optCloseDir": {
        "NO": "Lukkeretning\n$\nHøyrelukkende ventiler stenges med klokka, venstrelukkende "
              "mot klokka. Venstrelukkende ventiler leveres uten aktuator.",
        "EN": "Closing direction\n$\nClockwise-closing valves are shut by turning clockwise, "
              "the others by turning anticlockwise. Anticlockwise-closing valves are "
              "supplied without actuator.",
        "DE": "Schließrichtung\n$\nRechtsschließende Schieber werden im Uhrzeigersinn "
              "geschlossen, linksschließende gegen den Uhrzeigersinn. Linksschließende "
              "Schieber werden ohne Stellantrieb geliefert.",
        "FI": "Sulkemissuunta\n$\nMyötäpäivään sulkeutuva venttiili suljetaan kiertämällä "
              "myötäpäivään, vastapäivään sulkeutuva vastapäivään. Vastapäivään sulkeutuvat "
              "venttiilit toimitetaan ilman toimilaitetta.",
        "DK": "Lukkeretning\n$\nHøjrelukkende ventiler lukkes med uret, venstrelukkende mod "
              "uret. Venstrelukkende ventiler leveres uden aktuator.",
        "SE": "Stängningsriktning\n$\nMedurs stängande ventiler stängs medurs, moturs "
              "stängande moturs. Moturs stängande ventiler levereras utan ställdon.",
    },
    "optWedgeQuality": {
        "NO": "Kilekvalitet\n$\nKilen er gummiert med EPDM (drikkevann) eller NBR (vann med "
              "innhold av olje eller fett).",
        "EN": "Wedge quality\n$\nThe wedge is rubber-coated with EPDM (drinking water) or "
              "NBR (water containing oil or grease).",
        "DE": "Keilqualität\n$\nDer Keil ist mit EPDM (Trinkwasser) oder NBR (öl- oder "
              "fetthaltiges Wasser) gummiert.",
        "FI": "Kiilan laatu\n$\nKiila on pinnoitettu EPDM-kumilla (juomavesi) tai "
              "NBR-kumilla (öljyä tai rasvaa sisältävä vesi).",
        "DK": "Kilekvalitet\n$\nKilen er gummieret med EPDM (drikkevand) eller NBR (vand med "
              "indhold af olie eller fedt).",
        "SE": "Kilkvalitet\n$\nKilen är gummerad med EPDM (dricksvatten) eller NBR (vatten "
              "som innehåller olja eller fett).",
    },
    "optActuator": {
        "NO": "Aktuator\n$\nMed aktuator får ventilhusene topp for elektrisk aktuator, og "
              "aktuatoren tas med i bestillingen.",
        "EN": "Actuator\n$\nWith actuator, the valve houses get a top for an electric "
              "actuator, and the actuator is included in the order.",
        "DE": "Stellantrieb\n$\nMit Stellantrieb erhalten die Schiebergehäuse ein Oberteil "
              "für einen elektrischen Antrieb, und der Antrieb wird mitbestellt.",
        "FI": "Toimilaite\n$\nToimilaitteellisissa venttiileissä venttiilipesissä on yläosa "
              "sähkötoimilaitteelle, ja toimilaite sisältyy tilaukseen.",
        "DK": "Aktuator\n$\nMed aktuator får ventilhusene top til elektrisk aktuator, og "
              "aktuatoren medtages i bestillingen.",
        "SE": "Ställdon\n$\nMed ställdon får ventilhusen en topp för elektriskt ställdon, "
              "och ställdonet ingår i beställningen.",
    },
    "Dimensions": {
        "NO": "Dimensjon\n$\nVelg ventilens nominelle dimensjon (DN). Tilbehørslisten og "
              "tilkoblingsdimensjonene følger dimensjonen.",
        "EN": "Size\n$\nChoose the nominal size (DN) of the valve. The accessory list and "
              "the connection sizes follow the size.",
        "DE": "Nennweite\n$\nWählen Sie die Nennweite (DN) des Schiebers. Zubehörliste und "
              "Anschlussgrößen richten sich nach der Nennweite.",
        "FI": "Koko\n$\nValitse venttiilin nimelliskoko (DN). Lisävarusteluettelo ja "
              "liitäntäkoot määräytyvät koon mukaan.",
        "DK": "Dimension\n$\nVælg ventilens nominelle dimension (DN). Tilbehørslisten og "
              "tilslutningsdimensionerne følger dimensionen.",
        "SE": "Dimension\n$\nVälj ventilens nominella dimension (DN). Tillbehörslistan och "
              "anslutningsdimensionerna följer dimensionen.",
    },
    "Accesories": {
        "NO": "Tilbehør\n$\nTilbehøret hører til senterdelen: innbyggingsgarnityr, gatekappe "
              "eller begge deler.",
        "EN": "Accessories\n$\nThe accessory belongs to the centre part: installation set, "
              "street cap or both.",
        "DE": "Zubehör\n$\nDas Zubehör gehört zum Mittelteil: Einbaugarnitur, Straßenkappe "
              "oder beides.",
        "FI": "Lisävarusteet\n$\nLisävaruste kuuluu keskiosaan: asennusvaruste, katukansi tai "
              "molemmat.",
        "DK": "Tilbehør\n$\nTilbehøret hører til centerdelen: indbygningsgarnitur, gadekappe "
              "eller begge dele.",
        "SE": "Tillbehör\n$\nTillbehöret hör till centrumdelen: nedbyggnadsgarnityr, "
              "gatubetäckning eller båda.",
    },
    "NoAccesories": {
        "NO": "Tilbehør\n$\nEnkeltventilen har ikke eget tilbehør. Garnityr og gatekappe "
              "bestilles separat.",
        "EN": "Accessories\n$\nThe single valve has no accessory of its own. Installation "
              "sets and street caps are ordered separately.",
        "DE": "Zubehör\n$\nDer Einzelschieber hat kein eigenes Zubehör. Einbaugarnituren und "
              "Straßenkappen werden getrennt bestellt.",
        "FI": "Lisävarusteet\n$\nYksittäisventtiilillä ei ole omia lisävarusteita. "
              "Asennusvarusteet ja katukannet tilataan erikseen.",
        "DK": "Tilbehør\n$\nEnkeltventilen har ikke eget tilbehør. Garnitur og gadekappe "
              "bestilles separat.",
        "SE": "Tillbehör\n$\nEnkelventilen har inget eget tillbehör. Garnityr och "
              "gatubetäckning beställs separat.",
    },
}

CONNSEL0 = {
    "NO": "Tilkobling kl. {c}\n$\nKlikk på bildet med venstre museknapp for å velge "
          "tilkobling og deretter tilkoblingsdimensjon.",
    "EN": "Connection at {c} o'clock\n$\nClick the picture with the left mouse button to "
          "choose the connection and then its size.",
    "DE": "Anschluss bei {c} Uhr\n$\nKlicken Sie mit der linken Maustaste auf das Bild, um "
          "den Anschluss und danach seine Größe zu wählen.",
    "FI": "Liitäntä klo {c}\n$\nValitse liitäntä ja sen jälkeen liitäntäkoko "
          "napsauttamalla kuvaa hiiren vasemmalla painikkeella.",
    "DK": "Tilslutning kl. {c}\n$\nKlik på billedet med venstre museknap for at vælge "
          "tilslutning og derefter tilslutningsdimension.",
    "SE": "Anslutning kl. {c}\n$\nKlicka på bilden med vänster musknapp för att välja "
          "anslutning och därefter anslutningsdimension.",
}
CONNSEL1 = {
    "NO": "Tilkobling kl. {c}\n$\nValgt: $ConnSelectedText\nKlikk på bildet for å velge en "
          "annen tilkobling.",
    "EN": "Connection at {c} o'clock\n$\nChosen: $ConnSelectedText\nClick the picture to "
          "choose another connection.",
    "DE": "Anschluss bei {c} Uhr\n$\nGewählt: $ConnSelectedText\nKlicken Sie auf das Bild, "
          "um einen anderen Anschluss zu wählen.",
    "FI": "Liitäntä klo {c}\n$\nValittu: $ConnSelectedText\nValitse toinen liitäntä "
          "napsauttamalla kuvaa.",
    "DK": "Tilslutning kl. {c}\n$\nValgt: $ConnSelectedText\nKlik på billedet for at vælge "
          "en anden tilslutning.",
    "SE": "Anslutning kl. {c}\n$\nVald: $ConnSelectedText\nKlicka på bilden för att välja "
          "en annan anslutning.",
}


def help_panels(lang):
    """(help key, geometry, text) of every help panel, in file order."""
    out = []
    for target in LANGS:
        out.append(("Lang_" + target, HELP_START, language_help(lang, target)))
    ex = example_for_help()
    for key in ["Reconfig1", "Startinfo", "CenterHelp1", "CenterHelp2", "CenterHelp3",
                "CenterHelp4", "Spindlekvalitet", "optSpinQual", "optCloseDir",
                "optWedgeQuality", "optActuator", "Dimensions", "Accesories",
                "NoAccesories"]:
        place = {"Reconfig1": HELP_CODE}.get(key, HELP_BAND)
        if key.startswith("CenterHelp"):
            place = HELP_TOP_LEFT
        text = HELP_TEXTS[key][lang].replace("{sfx}", CODE_SUFFIX).replace("{ex}", ex)
        out.append((key, place, text))
    for slot in "NESW":
        out.append(("ConnSel0_" + slot, SLOT_HELP_PLACE[slot],
                    CONNSEL0[lang].replace("{c}", str(SLOT_CLOCK[slot]))))
    for slot in "NESW":
        out.append(("ConnSel1_" + slot, SLOT_HELP_PLACE[slot],
                    CONNSEL1[lang].replace("{c}", str(SLOT_CLOCK[slot]))))
    return out


SINGLE_TEXT_KEYS = ["NormalModeInfo", "DebugModeInfo", "SetNormalModeInfo",
                    "SetDebugModeInfo"] + [
    "Set%sdefault%d" % (row, v) for row in ("A2", "LR", "SK", "AC") for v in (0, 1, 2)]

SINGLE_TEXTS = {
    "NO": [
        "Normal modus er valgt og lagret. Den gjelder også neste gang programmet startes.",
        "Debugmodus er slått på og lagret. Resultat og rapport viser nå artikkelnøkler, "
        "ufullstendige mål og uavrundede tall.",
        "Programmet går i normal modus. Trykk «Debug mode» for å vise artikkelnøkler og "
        "kontrollinformasjon.",
        "Programmet går i debugmodus. Trykk «Normal» for å gå tilbake til vanlig visning.",
        "Spindelkvalitet: ikke forhåndsvalgt - kunden velger A2 eller A4.",
        "Spindelkvalitet: A2 er forhåndsvalgt, men kan endres.",
        "Spindelkvalitet: A2 forhåndsvelges (standard for ny installasjon); valget låses ikke.",
        "Lukkeretning: ikke forhåndsvalgt.",
        "Lukkeretning: høyrelukkende er forhåndsvalgt, men kan endres.",
        "Lukkeretning: høyrelukkende er forhåndsvalgt og låst.",
        "Kilekvalitet: ikke forhåndsvalgt - gjenopprett med midtre museknapp eller skriv kode.",
        "Kilekvalitet: EPDM er forhåndsvalgt.",
        "Kilekvalitet: EPDM er forhåndsvalgt og låst (standard for ny installasjon).",
        "Aktuator: ikke forhåndsvalgt - gjenopprett med midtre museknapp eller skriv kode.",
        "Aktuator: uten aktuator er forhåndsvalgt; venstrelukkende fjerner aktuatoren.",
        "Aktuator: uten aktuator er forhåndsvalgt og låst; lukkeretningen endrer ikke valget.",
    ],
    "EN": [
        "Normal mode has been chosen and saved. It also applies the next time the program "
        "starts.",
        "Debug mode has been switched on and saved. Result and report now show article "
        "keys, incomplete lengths and unrounded numbers.",
        "The program runs in normal mode. Press «Debug mode» to show article keys and "
        "check information.",
        "The program runs in debug mode. Press «Normal» to return to the usual display.",
        "Spindle quality: no preset - the customer chooses A2 or A4.",
        "Spindle quality: A2 is preset but can be changed.",
        "Spindle quality: A2 is preset (default of a new installation); the choice is not "
        "locked.",
        "Closing direction: no preset.",
        "Closing direction: clockwise closing is preset but can be changed.",
        "Closing direction: clockwise closing is preset and locked.",
        "Wedge quality: no preset - restore with the middle mouse button or type a code.",
        "Wedge quality: EPDM is preset.",
        "Wedge quality: EPDM is preset and locked (default of a new installation).",
        "Actuator: no preset - restore with the middle mouse button or type a code.",
        "Actuator: without actuator is preset; anticlockwise closing removes the actuator.",
        "Actuator: without actuator is preset and locked; the closing direction does not "
        "change it.",
    ],
    "DE": [
        "Der Normalmodus wurde gewählt und gespeichert. Er gilt auch beim nächsten "
        "Programmstart.",
        "Der Debugmodus wurde eingeschaltet und gespeichert. Ergebnis und Bericht zeigen "
        "jetzt Artikelschlüssel, unvollständige Maße und ungerundete Zahlen.",
        "Das Programm läuft im Normalmodus. Drücken Sie «Debug mode», um Artikelschlüssel "
        "und Prüfinformationen anzuzeigen.",
        "Das Programm läuft im Debugmodus. Drücken Sie «Normal», um zur üblichen Anzeige "
        "zurückzukehren.",
        "Spindelqualität: keine Vorauswahl - der Kunde wählt A2 oder A4.",
        "Spindelqualität: A2 ist vorausgewählt, kann aber geändert werden.",
        "Spindelqualität: A2 wird vorausgewählt (Standard einer neuen Installation); die "
        "Wahl ist nicht gesperrt.",
        "Schließrichtung: keine Vorauswahl.",
        "Schließrichtung: rechtsschließend ist vorausgewählt, kann aber geändert werden.",
        "Schließrichtung: rechtsschließend ist vorausgewählt und gesperrt.",
        "Keilqualität: keine Vorauswahl - mit der mittleren Maustaste wiederherstellen "
        "oder Code eingeben.",
        "Keilqualität: EPDM ist vorausgewählt.",
        "Keilqualität: EPDM ist vorausgewählt und gesperrt (Standard einer neuen "
        "Installation).",
        "Stellantrieb: keine Vorauswahl - mit der mittleren Maustaste wiederherstellen "
        "oder Code eingeben.",
        "Stellantrieb: ohne Stellantrieb ist vorausgewählt; linksschließend entfernt den "
        "Antrieb.",
        "Stellantrieb: ohne Stellantrieb ist vorausgewählt und gesperrt; die "
        "Schließrichtung ändert die Wahl nicht.",
    ],
    "FI": [
        "Normaalitila on valittu ja tallennettu. Se on voimassa myös seuraavalla "
        "käynnistyskerralla.",
        "Vianetsintätila on kytketty päälle ja tallennettu. Tulos ja raportti näyttävät nyt "
        "nimikeavaimet, puutteelliset mitat ja pyöristämättömät luvut.",
        "Ohjelma toimii normaalitilassa. Paina «Debug mode» nähdäksesi nimikeavaimet ja "
        "tarkistustiedot.",
        "Ohjelma toimii vianetsintätilassa. Palaa tavalliseen näkymään painamalla "
        "«Normal».",
        "Karan laatu: ei esivalintaa - asiakas valitsee A2:n tai A4:n.",
        "Karan laatu: A2 on esivalittu, mutta sitä voi muuttaa.",
        "Karan laatu: A2 esivalitaan (uuden asennuksen oletus); valintaa ei lukita.",
        "Sulkemissuunta: ei esivalintaa.",
        "Sulkemissuunta: myötäpäivään sulkeutuva on esivalittu, mutta sitä voi muuttaa.",
        "Sulkemissuunta: myötäpäivään sulkeutuva on esivalittu ja lukittu.",
        "Kiilan laatu: ei esivalintaa - palauta hiiren keskipainikkeella tai kirjoita koodi.",
        "Kiilan laatu: EPDM on esivalittu.",
        "Kiilan laatu: EPDM on esivalittu ja lukittu (uuden asennuksen oletus).",
        "Toimilaite: ei esivalintaa - palauta hiiren keskipainikkeella tai kirjoita koodi.",
        "Toimilaite: ilman toimilaitetta on esivalittu; vastapäivään sulkeutuva poistaa "
        "toimilaitteen.",
        "Toimilaite: ilman toimilaitetta on esivalittu ja lukittu; sulkemissuunta ei muuta "
        "valintaa.",
    ],
    "DK": [
        "Normal tilstand er valgt og gemt. Den gælder også næste gang, programmet startes.",
        "Debugtilstand er slået til og gemt. Resultat og rapport viser nu artikelnøgler, "
        "ufuldstændige mål og uafrundede tal.",
        "Programmet kører i normal tilstand. Tryk «Debug mode» for at vise artikelnøgler og "
        "kontroloplysninger.",
        "Programmet kører i debugtilstand. Tryk «Normal» for at vende tilbage til den "
        "sædvanlige visning.",
        "Spindelkvalitet: ikke forvalgt - kunden vælger A2 eller A4.",
        "Spindelkvalitet: A2 er forvalgt, men kan ændres.",
        "Spindelkvalitet: A2 forvælges (standard for ny installation); valget låses ikke.",
        "Lukkeretning: ikke forvalgt.",
        "Lukkeretning: højrelukkende er forvalgt, men kan ændres.",
        "Lukkeretning: højrelukkende er forvalgt og låst.",
        "Kilekvalitet: ikke forvalgt - gendan med midterste museknap eller indtast kode.",
        "Kilekvalitet: EPDM er forvalgt.",
        "Kilekvalitet: EPDM er forvalgt og låst (standard for ny installation).",
        "Aktuator: ikke forvalgt - gendan med midterste museknap eller indtast kode.",
        "Aktuator: uden aktuator er forvalgt; venstrelukkende fjerner aktuatoren.",
        "Aktuator: uden aktuator er forvalgt og låst; lukkeretningen ændrer ikke valget.",
    ],
    "SE": [
        "Normalläge har valts och sparats. Det gäller även nästa gång programmet startas.",
        "Felsökningsläge har slagits på och sparats. Resultat och rapport visar nu "
        "artikelnycklar, ofullständiga mått och oavrundade tal.",
        "Programmet körs i normalläge. Tryck «Debug mode» för att visa artikelnycklar och "
        "kontrollinformation.",
        "Programmet körs i felsökningsläge. Tryck «Normal» för att återgå till vanlig "
        "visning.",
        "Spindelkvalitet: inte förvald - kunden väljer A2 eller A4.",
        "Spindelkvalitet: A2 är förvald men kan ändras.",
        "Spindelkvalitet: A2 förväljs (standard för ny installation); valet låses inte.",
        "Stängningsriktning: inte förvald.",
        "Stängningsriktning: medurs stängande är förvald men kan ändras.",
        "Stängningsriktning: medurs stängande är förvald och låst.",
        "Kilkvalitet: inte förvald - återställ med mittenknappen eller skriv en kod.",
        "Kilkvalitet: EPDM är förvald.",
        "Kilkvalitet: EPDM är förvald och låst (standard för ny installation).",
        "Ställdon: inte förvalt - återställ med mittenknappen eller skriv en kod.",
        "Ställdon: utan ställdon är förvalt; moturs stängande tar bort ställdonet.",
        "Ställdon: utan ställdon är förvalt och låst; stängningsriktningen ändrar inte valet.",
    ],
}

INFO_FILES = {  # name -> language -> lines (only the first line is shown)
    "Intro": {
        "NO": ["Velkommen til Tessaro fra Kelmor! Her setter du sammen sluseventiler og "
               "ventilkryss for vannforsyning fra DN 80 til DN 300, og skriver ut et ferdig "
               "bestillingsskjema med mål, vekt og artikkelnumre.",
               "Spørsmål om produktene? Ring +47 51 00 00 00."],
        "EN": ["Welcome to Tessaro from Kelmor! Assemble gate valves and valve crosses for "
               "water supply from DN 80 to DN 300 and print a complete order form with "
               "dimensions, weights and article numbers.",
               "Questions about the products? Call +47 51 00 00 00."],
        "DE": ["Willkommen bei Tessaro von Kelmor! Stellen Sie Absperrschieber und "
               "Schieberkreuze für die Wasserversorgung von DN 80 bis DN 300 zusammen und "
               "drucken Sie ein fertiges Bestellformular mit Maßen, Gewichten und "
               "Artikelnummern.",
               "Fragen zu den Produkten? Rufen Sie +47 51 00 00 00 an."],
        "FI": ["Tervetuloa Kelmorin Tessaroon! Kokoa vesihuollon sulkuventtiilit ja "
               "venttiiliristeykset kokoluokissa DN 80-DN 300 ja tulosta valmis "
               "tilauslomake mittoineen, painoineen ja nimikenumeroineen.",
               "Kysyttävää tuotteista? Soita +47 51 00 00 00."],
        "DK": ["Velkommen til Tessaro fra Kelmor! Her sammensætter du skydeventiler og "
               "ventilkryds til vandforsyning fra DN 80 til DN 300 og udskriver et færdigt "
               "bestillingsskema med mål, vægt og varenumre.",
               "Spørgsmål om produkterne? Ring +47 51 00 00 00."],
        "SE": ["Välkommen till Tessaro från Kelmor! Här sätter du ihop slussventiler och "
               "ventilkors för vattenförsörjning från DN 80 till DN 300 och skriver ut ett "
               "färdigt beställningsformulär med mått, vikt och artikelnummer.",
               "Frågor om produkterna? Ring +47 51 00 00 00."],
    },
    "Nytt": {
        "NO": ["Nytt i denne utgaven: X-kryss DN 200 og T-kryss DN 250 med korte ventilhus, "
               "serviceflens i alle dimensjoner, og tekster på finsk, dansk og svensk.",
               "Isolasjonskappe for DN 150 og større er utgått."],
        "EN": ["New in this edition: X-cross DN 200 and T-cross DN 250 with short valve "
               "houses, service flanges in every size, and texts in Finnish, Danish and "
               "Swedish.",
               "The insulation cover for DN 150 and larger has been withdrawn."],
        "DE": ["Neu in dieser Ausgabe: X-Kreuz DN 200 und T-Kreuz DN 250 mit kurzen "
               "Schiebergehäusen, Serviceflansche in allen Nennweiten sowie Texte auf "
               "Finnisch, Dänisch und Schwedisch.",
               "Die Isolierhaube für DN 150 und größer ist ausgelaufen."],
        "FI": ["Uutta tässä versiossa: X-risteys DN 200 ja T-risteys DN 250 lyhyillä "
               "venttiilipesillä, huoltolaipat kaikkiin kokoihin sekä suomen-, tanskan- ja "
               "ruotsinkieliset tekstit.",
               "Eristyssuojus kokoon DN 150 ja suurempiin on poistunut valikoimasta."],
        "DK": ["Nyt i denne udgave: X-kryds DN 200 og T-kryds DN 250 med korte ventilhuse, "
               "serviceflange i alle dimensioner samt tekster på finsk, dansk og svensk.",
               "Isoleringskappe til DN 150 og større er udgået."],
        "SE": ["Nytt i denna utgåva: X-kors DN 200 och T-kors DN 250 med korta ventilhus, "
               "servicefläns i alla dimensioner samt texter på finska, danska och svenska.",
               "Isoleringshuven för DN 150 och större har utgått."],
    },
}

PERSONAL = [("Customer", "Ingrid Solheim"),
            ("Company", "Fjordvik Vann og Avløp AS"),
            ("InvoiceAddress", "Postboks 412, 4302 Fjordvik"),
            ("DeliveryAddress", "Lager Heiane, Verkstedveien 7, 4313 Fjordvik")]


# ======================================================================
# Screen geometry (twips; the window is 9850 x 10550, 15 twips a pixel)
# ======================================================================

PICTURE_SIZE = 1650            # valve picture and slot images: 110 x 110 pixels
VALVE_FRAME = (2700, 3300, 3000, 3150)
SLOT_FRAMES = {"top": (450, 3600, 2400, 2150), "bottom": (5950, 3600, 2400, 2150),
               "right": (3200, 6500, 2400, 2150), "left": (3200, 700, 2400, 2150)}
PICKER = dict(top=450, left=3500, width=2600, height=2250, margin=90, side=2750,
              bottom=5500)
RESULT_BACK = (1200, 4750, 4650, 7300)         # picResBack: top, left, width, height

# Result-screen pieces: the centre piece is 128 x 128 pixels for types 2-4 and
# 72 x 34 for the single valve; every connection piece is 60 x 60 pixels.
# The values below are those of the section; at 96 pixels per inch the program
# adjusts them (centre: top/left x 0.8, size +20/+40; north/south/east/west:
# minus the direction's two offsets, north +150 and south +200 for types 2-4),
# which puts every piece edge to edge around the centre of picResBack.  The
# offsets are chosen so that the unadjusted values (120 pixels per inch, 12
# twips a pixel) also join for types 2-4.
RC_CENTRE = [(3869, 2231, 1080, 510)] + [(2875, 1706, 1900, 1880)] * 3
RC_OFFSETS = {"N": (905, 239), "S": (391, 239), "E": (473, -43), "W": (473, 521)}
RC_NORTH = [(3100, 1875, 900, 900)] + [(2155, 2114, 900, 900)] * 3
RC_SOUTH = [(3996, 1875, 900, 900)] + [(4411, 2114, 900, 900)] * 3
RC_EAST = [(3283, 3242, 900, 900)] * 3 + [(3283, 3242, 0, 0)]
RC_WEST = [(3283, 986, 900, 900)] * 3 + [(3283, 986, 0, 0)]


def N(value, comment):
    return ("n", value, comment)


def T(text):
    return ("t", text)


def C(text):
    return ("c", text)


def rect_items(name, values, labels=("top", "left", "width", "height")):
    return [N(v, "%s %s" % (name, lab)) for v, lab in zip(values, labels)]


def valve_page_items():
    items = [C("* ---- Valve page, read right after the head ----"),
             N(WINDOW_W, "window width"), N(WINDOW_H, "window height"),
             N(PICTURE_SIZE, "size of the valve picture and of the slot images"),
             C("* valve-type frame (the type buttons stand below the picture)")]
    items += rect_items("valve-type frame", VALVE_FRAME)
    frames = [(6000, 200, 4550, 1300), (6000, 4950, 4550, 1300),
              (7400, 200, 4550, 1300), (7400, 4950, 4550, 1300)]
    names = ["spindle quality", "closing direction", "wedge quality", "actuator"]
    for name, geo, (cap, o1, o2) in zip(names, frames, OPTION_FRAMES):
        items.append(C("* option group: " + name))
        items += rect_items(name + " frame", geo)
        items += [T("¤¤" + cap), T("¤¤" + o1), T("¤¤" + o2)]
    items.append(C("* dimension and accessory frames (list: 280 narrower, 700 lower)"))
    items += rect_items("dimension frame", (2700, 200, 2950, 3150))
    items += rect_items("accessory frame", (2700, 6450, 3050, 3150))
    items += [C("* button row"), N(8900, "top of the button row"),
              N(300, "left of Exit"), N(3600, "left of the code box"),
              N(2700, "width of the code box")]
    items.append(C("* slot frames: top, bottom, right, left"))
    for name in ("top", "bottom", "right", "left"):
        items += rect_items("slot frame " + name, SLOT_FRAMES[name])
    items += [C("* connection pickers"),
              N(PICKER["top"], "picker top"), N(PICKER["left"], "picker left"),
              N(PICKER["width"], "picker width"), N(PICKER["height"], "picker height"),
              N(PICKER["margin"], "picker margin"),
              N(PICKER["side"], "vertical offset for the right and left slots"),
              N(PICKER["bottom"], "vertical offset for the bottom slot"),
              C("* option tags: spindle 1, 2, closing 1, 2, wedge 1, 2, actuator with, without")]
    items += [T(tag) for tag in OPTION_TAGS]
    items += [T("Ventiltyper"), N(len(TYPES), "number of valve types")]
    for t in TYPES:
        items.append(T(t["key"].ljust(19) + t["letter"] + " " + " " * 4 + t["desc"]))
    return items


def startscreen_items():
    return [
        T("Startbilde"),
        N(400, "flag top (second row at three times this)"),
        N(100, "flag left (first column 300 further right)"),
        N(750, "flag column distance"), N(600, "flag width"), N(405, "flag height"),
        N(2100, "start picture 1 top"), N(300, "start picture 1 left"),
        N(4350, "start picture 1 width"), N(2850, "start picture 1 height"),
        T("StartPic1"),
        N(2100, "start picture 2 top"), N(5000, "start picture 2 left"),
        N(4350, "start picture 2 width"), N(2850, "start picture 2 height"),
        T("StartPic2"),
        N(400, "head text top"), N(4000, "head text left + 200"),
        N(5100, "head text width - 200"), N(1500, "head text height"),
        T("¤¤Programversjon"), T("¤¤Parameterfil datert"), T("¤¤Artikkelfil datert"),
        T("¤¤Klikk her for å åpne Tessaro-sidene på nett"),
        T(CONFIGURATOR_PAGE),
        N(5150, "info text 1 top"), N(300, "info text 1 left"),
        N(4350, "info text 1 width"), N(3400, "info text 1 height"), T("Intro"),
        N(5150, "info text 2 top"), N(5000, "info text 2 left"),
        N(4350, "info text 2 width"), N(3400, "info text 2 height"), T("Nytt"),
        N(8900, "top of the buttons"), N(300, "Exit left"),
        N(2200, "configure button left"), N(2900, "configure button width"),
        T("¤¤Konfigurer ny ventil"),
        N(5300, "reconfigure button left"), N(2900, "reconfigure button width"),
        T("¤¤Rekonfigurer fra kode"),
    ]


def reportscreen_items():
    items = [T("Resultatbilde")]
    items += rect_items("result frame", (400, 150, 9450, 8300))
    items += [T("¤¤Resultat")]
    items += rect_items("order code label", (700, 350, 5600, 300))
    items += rect_items("copy button", (650, 6200, 1500, 375)) + [T("¤¤Kopier kode")]
    items += rect_items("result text", (1200, 350, 4200, 4000))
    items += rect_items("picture background", RESULT_BACK)
    items += [N(8900, "top of Exit, Back, Report, DWG"),
              N(300, "Exit left"), N(1700, "Back left"), N(5200, "Report left"),
              N(6700, "DWG left"),
              T("¤¤Avbryt"), T("¤¤Tilbake"), T("¤¤Rapport"), T("DWG"),
              C("* centre picture per valve type 1-4 (relative to the picture background)")]
    for t, geo in enumerate(RC_CENTRE, 1):
        items += rect_items("centre type %d" % t, geo)
    for name, table in (("north", RC_NORTH), ("south", RC_SOUTH), ("east", RC_EAST),
                        ("west", RC_WEST)):
        a, b = RC_OFFSETS[name[0].upper()]
        items += [C("* %s picture: two offsets, then per valve type 1-4" % name),
                  N(a, "%s offset a (top)" % name), N(b, "%s offset b (left)" % name)]
        for t, geo in enumerate(table, 1):
            items += rect_items("%s type %d" % (name, t), geo)
    items += [C("* product information panel")]
    items += rect_items("information panel", (5300, 350, 4200, 3200))
    items += [N(100, "information panel margin")]
    return items


# Enlarged picture (canvas in twips, reference point 3000, 3000).  At 96
# pixels per inch the pieces are painted around (4220, 4085) for types 2-4 and
# (4220, 2995) for the single valve, where the drawn dimensions expect them.
DEPICTURE_OFFSETS = [0, 0, 0, 0, 0, 2180, 250, -3670]
DEPICTURE_CENTRE = [(-680, 260), (-260, -135), (-260, -135), (-260, -135)]
DEPICTURE_P567 = (780, 910, -630)
DEPICTURE_NORTH = [(-830, 1155), (-830, 775), (-830, 775), (-830, 775)]
CANVAS = (400, 150, 9450, 8295)


def depicture_items():
    items = [T("Forstørret bilde")]
    items += rect_items("canvas", CANVAS)
    items += [N(7950, "top of the test picture"),
              N(300, "y of the configuration code"), N(300, "x of the configuration code"),
              T("¤¤Mål i millimeter, byggelengder fra flens til flens"),
              N(7850, "y of the closing hint"), N(550, "x of the closing hint"),
              T("¤¤Klikk i bildet for å lukke")]
    for i, v in enumerate(DEPICTURE_OFFSETS, 1):
        items.append(N(v, "offset o%d" % i))
    for t, (x, y) in enumerate(DEPICTURE_CENTRE, 1):
        items += [N(x, "centre x offset type %d" % t), N(y, "centre y offset type %d" % t)]
    items += [N(DEPICTURE_P567[0], "piece width p5"), N(DEPICTURE_P567[1], "piece height p6"),
              N(DEPICTURE_P567[2], "side piece position p7")]
    for t, (x, y) in enumerate(DEPICTURE_NORTH, 1):
        items += [N(x, "north x offset type %d" % t), N(y, "north y offset type %d" % t)]
    return items


def dimensioning_items():
    return [
        T("Målsetting"),
        N(1, "mode: 1 draws the computed lengths"),
        N(128, "line colour (dark red)"), N(-1, "text colour (black)"),
        N(200, "q, label of the horizontal dimension"),
        N(700, "vertical d1"), N(1400, "vertical d2 (extension)"), N(2000, "vertical d3"),
        N(1800, "vertical d4"), N(-100, "vertical d5"), T("¤¤Byggelengde"),
        N(600, "north part d1"), N(800, "north part d2"), N(1500, "north part d3"),
        N(1300, "north part d4"), N(-300, "north part d5"), T("¤¤Ventilhus kl. 12"),
        N(600, "south part d1"), N(800, "south part d2"), N(1500, "south part d3"),
        N(1300, "south part d4"), N(300, "south part d5"), T("¤¤Ventilhus kl. 6"),
        N(900, "horizontal h1"), N(1500, "horizontal h2 (extension)"),
        N(2900, "horizontal h3"), N(200, "horizontal h4"), N(2300, "horizontal h5"),
        T("¤¤Byggebredde"),
    ]


def html_layout_items():
    return [
        T("HTML-rapport"),
        T("¤¤Ordreskjema for sammenstilt ventil"),
        T("¤¤Programversjon"), T("¤¤Parameterfil"), T("¤¤Artikkelfil"),
        T("¤¤Rapportdato"), T("¤¤Ventilkode"), T("¤¤NRF-nummer"), T("¤¤med tilkoblinger"),
        N(9, "font setting: table rows in font size -1"),
        N(110, "width of the article column"), N(80, "width of the size column"),
        N(330, "width of the description column"), N(80, "width of the weight column"),
        N(130, "width of the remark column"),
        N(0, "not used"),
        T("¤¤Artikkelnr."), T("¤¤Dimensjon"), T("¤¤Beskrivelse"), T("¤¤Vekt"),
        T("¤¤Merknad"), T("¤¤Pris"),
        T("¤¤Vertikal byggelengde"), T("¤¤Horisontal byggelengde"), T("¤¤Totalvekt"),
        N(0, "not used"),
        T("¤¤ - skriv ut i stående format"),
    ]


ADMIN_ROWS = [(1600, 400, 1100, 375, 1650, 2700, 375), (2150, 400, 1100, 375, 2200, 2700, 375),
              (2700, 400, 1100, 375, 2750, 2700, 375), (3250, 400, 1100, 375, 3300, 2700, 375)]
ADMIN_BUTTONS = ["Vis ventilhus (_VHK)", "Vis senterdeler (_CPD)", "Vis tilbehør (_BRV)",
                 "Vis tilkoblinger (_TK)", "Ny tilkobling (_TK)", "Vis aktuatorer (_AKT)",
                 "Vis spindler (_SPK)", "Vis lukkeretninger (_CLD)"]


def adminscreen_items():
    items = [T("Administrasjon")]
    items += rect_items("program settings frame", (500, 200, 9350, 3700))
    items += [T("¤¤Programinnstillinger")]
    items += rect_items("data frame", (4400, 200, 9350, 4300)) + [T("¤¤Dataadministrasjon")]
    items += rect_items("debug button", (900, 400, 1500, 375))
    items += [N(850, "debug label top"), N(600, "debug label height")]
    labels = ("buttons top", "first button left", "first button width", "buttons height",
              "label top", "label left", "label height")
    for row, values in zip(("A2", "LR", "SK", "AC"), ADMIN_ROWS):
        items += [N(v, "%s %s" % (row, lab)) for v, lab in zip(values, labels)]
    items += [N(4850, "first data button top"), N(400, "data buttons left"),
              N(2600, "data buttons width"), N(375, "data buttons height"),
              N(450, "step between data buttons")]
    items += [T("¤¤" + b) for b in ADMIN_BUTTONS]
    items += rect_items("record list", (4850, 3200, 6200, 3650))
    return items


EDIT_CAPTIONS = ["Artikkelnr.", "Tilleggstekst", "Lengde", "Beskrivelse", "Vekt", "Pris",
                 "Blokknavn", "Ventilhuskoder", "Felt 11", "Felt 12"]


def editscreen_items():
    items = [T("Artikkelredigering")]
    items += rect_items("editor frame", (4400, 200, 9350, 4300)) + [T("¤¤Rediger artikkel")]
    items += [N(300, "key row top"), N(150, "caption column 1 left"),
              N(1600, "box column 1 left"), N(2900, "box width"),
              N(4700, "caption column 2 left"), N(6150, "box column 2 left"),
              N(800, "first box row top"), N(520, "step between box rows")]
    items += [T("¤¤" + c) for c in EDIT_CAPTIONS]
    items += [T("¤¤Avbryt"), T("¤¤Lagre")]
    return items


# ======================================================================
# Writing the sectioned text files
# ======================================================================

def number_line(value, comment):
    text = "%-6d * %s" % (value, comment)
    return text


def items_to_lines(items):
    lines = []
    for item in items:
        if item[0] == "n":
            lines.append(number_line(item[1], item[2]))
        elif item[0] == "t":
            lines.append(item[1])
        else:
            lines.append(item[1])
    return lines


def choice_line(key, letter, number, desc):
    if len(key) > 18 or " " in key:
        raise ValueError("choice key %r must be one word of at most 18 characters" % key)
    if number is None:          # connection lines: description from column 22
        return key.ljust(19) + letter + " " + desc
    return key.ljust(19) + letter + " " + "%04d" % number + desc


def all_dims():
    out = []
    for t in TYPES:
        for dn in t["dims"]:
            if dn not in out:
                out.append(dn)
    return sorted(out)


def conns_at(dn):
    out = []
    for t in TYPES:
        if dn in t["dims"]:
            for c in CONN_LISTS[t["conns"]]:
                if c not in out:
                    out.append(c)
    return [c[0] for c in CONNECTIONS if c[0] in out]


VALUE_SECTIONS = [("STARTSCREEN", startscreen_items), ("REPORTSCREEN", reportscreen_items),
                  ("DEPICTURE", depicture_items), ("DIMENSIONING", dimensioning_items),
                  ("HTML-LAYOUT", html_layout_items), ("ADMINSCREEN", adminscreen_items),
                  ("EDITSCREEN", editscreen_items)]


def param_head():
    return ["Tessaro parameterfil for Kelmor vannventiler", PARAM_IDENT,
            "C:\\Kelmor\\Tessaro", ADMIN_PASS_CODE[::-1], CODE_SUFFIX]


def tessaro_dat():
    L = ["* Tessaro.dat - parameter file of the Kelmor valve range.",
         "* Windows-1252, CR LF.  Lines beginning with a blank or '*' are comments.",
         "* Numbers are the leading number of a line; a zero is written \"0\" and a blank.",
         "* Generated by tools/make_sample.py - edit the generator, not this file.",
         "*"]
    L += param_head()
    L += items_to_lines(valve_page_items())
    for key, builder in VALUE_SECTIONS:
        L += ["*", "¤" + key] + items_to_lines(builder())
    # dimension lists (the single valve first: the menu check walks it before
    # the valve cross)
    for t in TYPES:
        L += ["*", "¤DIM_%s   dimensjoner %s" % (t["key"], t["desc"]), "DIMENSJONER"]
        for dn in t["dims"]:
            L.append(choice_line(dim_key(dn), DN_LETTER[dn], dn, "DN %d" % dn))
        L.append("EOL")
    L += ["*", "* ---- Accessories of the centre part: four digits for DN 100 and below,",
          "*      \"+\" for the larger sizes"]
    for key, kind in cpd_sections():
        L += ["¤" + key, ACC_TITLE[kind]]
        for akey, letter, number, desc in ACC_LIST[kind]:
            L.append(choice_line(akey, letter, number, desc))
        L.append("EOL")
    L += ["*", "* ---- Connections per valve type (description from column 22)"]
    for t in TYPES:
        L += ["¤CONN_" + t["key"], CONN_TITLE[t["conns"]]]
        for ckey in CONN_LISTS[t["conns"]]:
            c = CONN_BY_KEY[ckey]
            L.append(choice_line(c[0], c[1], None, c[2]))
        L.append("EOL")
    L += ["*", "* ---- Connection dimensions: \"¤\" + dimension key + \"_\" + connection key.",
          "*      The description starts \"Alt X:\" so that the code letter of column 20",
          "*      also stands in column 30, where the menu check reads it."]
    for dn in all_dims():
        for ckey in conns_at(dn):
            if (dn, ckey) in MISSING_MENUS:
                continue
            L += ["¤%s_%s" % (dim_key(dn), ckey), cdim_title(dn, ckey)]
            for k, letter, mm in conn_dims(dn, ckey):
                L.append(choice_line(k, letter, mm, menu_text(dn, ckey, k, letter, mm)))
            L.append("EOL")
    L += ["*", "* ---- Option combinations: the line after the key starts with the bottom letter"]
    for bits in ALL_BITS:
        L += ["¤" + "_".join(tags_of(bits)), bottom_letter(bits)]
    L += ["*", "* ---- Bottom letters: second line = letter, blanks, then the four option",
          "*      digits in characters 5-8 (spindle, closing, wedge, actuator; 0 = option 1,",
          "*      for the actuator 0 = with actuator)"]
    for bits in ALL_BITS:
        letter = bottom_letter(bits)
        L += ["¤BOTTOM_%s   %s" % (letter, " ".join(tags_of(bits))),
              "Bunnbokstav " + letter,
              "%s   %s %s" % (letter, "".join(str(b) for b in bits), "/".join(tags_of(bits)))]
    L += ["*", "* ---- NRF numbers of configuration codes"]
    for idx, nrf in sorted(NRF_NUMBERS.items()):
        L += ["¤%s_NRF" % example_codes()[idx][0], nrf]
    L += ["*", "* End of Tessaro.dat"]
    return L


# ----------------------------------------------------------------------
# Article file
# ----------------------------------------------------------------------

VH_LENGTH = {80: 180, 100: 190, 150: 210, 200: 230, 250: 250, 300: 270}
VH_WEIGHT = {80: 18.5, 100: 23.0, 150: 38.0, 200: 62.0, 250: 95.0, 300: 131.0}
VH_PRICE = {80: 6450, 100: 7380, 150: 10950, 200: 16800, 250: 24900, 300: 33600}
CPD_LENGTH = {80: 110, 100: 125, 150: 160, 200: 195, 250: 230, 300: 265}
CPD_WEIGHT = {80: 14.0, 100: 18.5, 150: 31.0, 200: 48.5, 250: 70.0, 300: 96.0}
CPD_FACTOR = {"TKRYSS": 1.0, "VENTILKRYSS": 1.2, "DOBBELVENTIL": 0.85}
SPIN_WORD = {"A2": "A2-spindel", "A4": "A4-spindel"}
CLOSE_WORD = {"HL": "høyrelukkende", "VL": "venstrelukkende"}
WEDGE_WORD = {"EP": "EPDM-kile", "NBR": "NBR-kile"}
CONN_ARTICLE_NAME = {"FLENS": "Flens", "FLENSSERVICE": "Serviceflens",
                     "SPISS": "Spissende PE", "MUFFE": "Muffe", "BLINDFLENS": "Blindflens"}
REL_WORD = {"L": "reduksjon", "E": "lik dimensjon", "G": "overgang til større"}


def price_text(value):
    return "%d,-" % (int(round(value / 10.0)) * 10)


def kg(value):
    return "%.1f kg" % value


def house_code_list(type_key, dn):
    return house_codes(type_key, dn).split()


def article_records():
    """List of (comment, key, key note, fields 1..12)."""
    recs = []
    for t in TYPES:
        for dn in t["dims"]:
            codes = house_codes(t["key"], dn)
            if t["key"] == "ENKELVENTIL":
                fields = ["KS%03d-%s" % (dn, t["letter"]),
                          "Enkeltventil DN %d - ingen senterdel" % dn, "UNUSED", "0", "0",
                          "0 mm", "KEL_CPD_%s%03d" % (t["letter"], dn), kg(0.0), "0,-",
                          codes, "UNUSED", "UNUSED"]
            else:
                w = CPD_WEIGHT[dn] * CPD_FACTOR[t["key"]]
                fields = ["KS%03d-%s" % (dn, t["letter"]),
                          "Senterdel %s DN %d PN16" % (t["desc"], dn),
                          "Duktilt støpejern, epoksybelagt, boret PN16", "960", "1200",
                          "%d mm" % CPD_LENGTH[dn], "KEL_CPD_%s%03d" % (t["letter"], dn),
                          kg(w), price_text(420 * w), codes, "UNUSED", "UNUSED"]
            recs.append((None, "¤%s_%s_CPD" % (dn4(dn), t["key"]),
                         "* All keys are assumed to end with a SPACE", fields))
    for dn in all_dims():
        codes = ["UFOT"]
        for (tk, d), c in sorted(HOUSE_CODES.items()):
            if d == dn:
                for code in c.split():
                    if code not in codes:
                        codes.append(code)
        for code in codes:
            for bits in ALL_BITS:
                tags = tags_of(bits)
                with_act = tags[3] == "AKT"
                short = code == "KORT"
                desc = "Ventilhus DN %d, %s, %s, %s" % (dn, SPIN_WORD[tags[0]],
                                                        CLOSE_WORD[tags[1]],
                                                        WEDGE_WORD[tags[2]])
                if with_act:
                    desc += ", for aktuator"
                if short:
                    desc += ", kort utførelse"
                length = VH_LENGTH[dn] - (35 if short else 0)
                weight = VH_WEIGHT[dn] + (0.3 * dn / 100.0 if tags[0] == "A4" else 0) + \
                    (2.5 if with_act else 0)
                if short:
                    weight *= 0.88
                price = VH_PRICE[dn] * (1.08 if tags[0] == "A4" else 1) * \
                    (1.12 if with_act else 1) * (0.95 if short else 1)
                fields = ["KV%03d-%s%s" % (dn, bottom_letter(bits), code[0]), desc,
                          "Duktilt støpejern EN-GJS-500-7, epoksy 250 µm", "0", "0",
                          "%d mm" % length, "KEL_VH%03d_%s_%s" % (dn, bottom_letter(bits), code),
                          kg(weight), price_text(price), "UNUSED", "UNUSED", "UNUSED"]
                key = "¤%s_%s_%s_VHK" % (dn4(dn), "_".join(tags), code)
                recs.append((None, key, "ventilhus", fields))
    for dn in all_dims():
        for ckey in conns_at(dn):
            cletter = CONN_BY_KEY[ckey][1]
            for k, letter, mm in conn_dims(dn, ckey):
                rel = compare_dimensions(dn, mm)
                size = ("Ø%d" % mm) if ckey == "SPISS" else ("DN %d" % mm)
                desc = "%s %s for ventil DN %d" % (CONN_ARTICLE_NAME[ckey], size, dn)
                if ckey != "BLINDFLENS":
                    desc += " (%s)" % REL_WORD[rel]
                if ckey == "FLENS":
                    length, weight, add = (200 if rel == "E" else 300), 0.09 * mm + 4, \
                        "PN16, boret etter EN 1092-2"
                elif ckey == "FLENSSERVICE":
                    length, weight, add = (250 if rel == "E" else 320), 0.09 * mm + 5.5, \
                        "PN16 med 2\" serviceuttak og kuleventil"
                elif ckey == "SPISS":
                    length, weight, add = 262.5, 0.05 * mm + 3, "PE100 SDR11, sveiset til flens"
                elif ckey == "MUFFE":
                    length, weight, add = (180 if rel == "E" else 260), 0.1 * mm + 3, \
                        "Muffe med låsering for duktile rør"
                else:
                    length, weight, add = 25, 0.06 * mm + 1, "UNUSED"
                if ckey == "SPISS":
                    length_text = ("%.1f mm" % length).replace(".", ",")
                else:
                    length_text = "%d mm" % length
                reach = BLIND_REACH if ckey == "BLINDFLENS" else PIECE_REACH
                offsets = (str(int(round(reach * 0.8))), str(reach))
                fields = ["KT%03d-%s%s" % (dn, cletter, letter), desc, add,
                          offsets[0], offsets[1], length_text,
                          "KEL_TK%03d_%s%s" % (dn, cletter, letter), kg(weight),
                          price_text(38 * weight + 400), "UNUSED", "UNUSED", "UNUSED"]
                key = "¤%s_%s_%s_TK" % (dn4(dn), ckey, k)
                if key not in MISSING_ARTICLES:
                    recs.append((None, key, "tilkobling", fields))
    brv_dims = sorted({dn for t in TYPES[1:] for dn in t["dims"]})
    for dn in brv_dims:
        for akey, letter, number, desc in ACC_LIST["small" if dn <= 100 else "large"]:
            garn = 6.0 + dn / 50.0
            table = {
                "UTEN": ("KB%03d-U" % dn, "¤¤Uten tilbehør", 0.0, 0),
                "GARNITYR": ("KB%03d-G" % dn, "Innbyggingsgarnityr 1,5 m for DN %d" % dn,
                             garn, 1850 + 4 * dn),
                "GATEKAPPE": ("KB%03d-K" % dn, "Gatekappe med bæring for DN %d" % dn,
                              11.5, 1290),
                "KOMPLETT": ("KB%03d-B" % dn, "Garnityr 1,5 m og gatekappe for DN %d" % dn,
                             garn + 11.5, 3020 + 4 * dn),
                "TELESKOP": ("KB%03d-T" % dn, "Teleskopgarnityr 1,1-1,6 m for DN %d" % dn,
                             garn + 1.5, 2380 + 4 * dn),
            }
            if akey == UNUSED_ACCESSORY:
                fields = ["UNUSED", "UNUSED isolasjonskappe DN %d - utgått, kontakt Kelmor" % dn,
                          "UNUSED", "0", "0", "0 mm", "KEL_BRV_%s" % akey, "UNUSED", "UNUSED",
                          "UNUSED", "UNUSED", "UNUSED"]
            else:
                art, text, weight, price = table[akey]
                fields = [art, text, "UNUSED", "0", "0", "0 mm", "KEL_BRV_%s" % akey,
                          kg(weight), price_text(price), "UNUSED", "UNUSED", "UNUSED"]
            recs.append((None, "¤%s_%s_BRV" % (dn4(dn), akey), "tilbehør", fields))
    for dn in all_dims():
        weight = 18.0 + dn / 25.0
        fields = ["KA%03d-E" % dn, "Elektrisk aktuator 400 V for ventilhus DN %d" % dn,
                  "Med endebrytere og manuell overstyring", "0", "0", "420 mm",
                  "KEL_AKT%03d" % dn, kg(weight), price_text(14800 + 40 * dn),
                  "UNUSED", "UNUSED", "UNUSED"]
        recs.append((None, "¤%s_AKT" % dn4(dn), "aktuator", fields))
    return recs


def vantordata_dat():
    L = [ARTICLE_HEAD_1, ARTICLE_HEAD_2,
         "* Article records: key line, title line, fields 1-12, EOL.",
         "* Fields: 1 article number, 2 description, 3 additional text, 4 and 5",
         "* dimensioning offsets, 6 length, 7 CAD block name, 8 weight, 9 price,",
         "* 10 valve-house codes (centre parts), 11 and 12 not used.",
         "* Lengths are in millimetres; connection records may use a decimal comma.",
         "* Generated by tools/make_sample.py - edit the generator, not this file."]
    family = None
    for comment, key, note, fields in article_records():
        fam = key.rsplit("_", 1)[1]
        if fam != family:
            family = fam
            L += ["*", "* ---- _%s records" % fam]
        L.append("%s %s" % (key, note))
        L.append(key[1:])
        L += fields
        L.append("EOL")
    L.append("EOF")
    return L


ARTICLE_OVERRIDES = {
    "¤0150_TKRYSS_CPD": {
        "EN": ["KS150-T", "Centre part T-cross DN 150 PN16",
               "Ductile iron, epoxy coated, drilled PN16"],
        "DE": ["KS150-T", "Mittelteil T-Kreuz DN 150 PN16",
               "Sphäroguss, epoxidbeschichtet, gebohrt PN16"],
        "FI": ["KS150-T", "Keskiosa T-risteys DN 150 PN16",
               "Pallografiittivalurauta, epoksipinnoitettu, poraus PN16"],
        "DK": ["KS150-T", "Centerdel T-kryds DN 150 PN16",
               "Duktilt støbejern, epoxybelagt, boret PN16"],
        "SE": ["KS150-T", "Centrumdel T-kors DN 150 PN16",
               "Segjärn, epoxibelagd, borrad PN16"],
    },
    "¤0150_FLENS_DN150_TK": {
        "EN": ["KT150-FC", "Flange DN 150 for valve DN 150 (same size)",
               "PN16, drilled to EN 1092-2"],
        "DE": ["KT150-FC", "Flansch DN 150 für Schieber DN 150 (gleiche Nennweite)",
               "PN16, gebohrt nach EN 1092-2"],
        "FI": ["KT150-FC", "Laippa DN 150 venttiilille DN 150 (sama koko)",
               "PN16, poraus EN 1092-2:n mukaan"],
        "DK": ["KT150-FC", "Flange DN 150 til ventil DN 150 (samme dimension)",
               "PN16, boret efter EN 1092-2"],
        "SE": ["KT150-FC", "Fläns DN 150 för ventil DN 150 (samma dimension)",
               "PN16, borrad enligt EN 1092-2"],
    },
}


# ----------------------------------------------------------------------
# Language files
# ----------------------------------------------------------------------

def text_keys_of(lines):
    return [line[2:] for line in lines if line.startswith("¤¤")]


def lang_file(lang, param_lines, article_lines):
    h = LANG_HEAD[lang]
    L = ["* Lang_%s.txt - texts of the Tessaro valve configurator." % lang,
         "* Windows-1252, CR LF.  Generated by tools/make_sample.py.",
         h["caption"], number_line(0, "top text shown"), h["top"],
         h["exit"], h["back"], h["next"],
         h["frame"], h["tip"], h["unused"], h["unused"],
         h["acc_frame"], h["acc_label"], h["dim_frame"], h["dim_label"]]
    L += list(h["slots"])
    L += [h["conn_label"], h["cdim_label"], h["unused"],
          number_line(VALVE_BUTTON_LEFT, "left of the valve-type buttons"),
          number_line(len(h["types"]), "number of valve types")]
    L += list(h["types"])
    if lang != "NO":
        idx = FOREIGN.index(lang)
        keys = []
        for k in PROGRAM_TEXT_KEYS + text_keys_of(param_lines) + text_keys_of(article_lines):
            if k not in keys:
                keys.append(k)
        L += ["*", "* ---- Text keys: the key line, then its translation"]
        for k in keys:
            L += ["¤¤" + k, TRANSLATIONS[k][idx]]
    L += ["*", "* ---- Single texts"]
    for key, text in zip(SINGLE_TEXT_KEYS, SINGLE_TEXTS[lang]):
        L += ["¤" + key, text]
    L += ["*", "* ---- Help panels: top, left, width, height, margin, then the text"]
    for key, (top, left, width, height, margin), text in help_panels(lang):
        L += ["¤%s_hlp" % key, number_line(top, "top"), number_line(left, "left"),
              number_line(width, "width"), number_line(height, "height"),
              number_line(margin, "margin")]
        L += text.split("\n")
        L.append("EOL")
    L += ["*", "* ---- Connection lists (titles of the \"¤CONN_\" sections)"]
    for kind in ("ENKEL", "KRYSS"):
        L.append("¤" + CONN_TITLE[kind])
        for ckey in CONN_LISTS[kind]:
            L.append(CONN_TEXT[lang][[c[0] for c in CONNECTIONS].index(ckey)])
        L.append("EOL")
    if lang != "NO":
        L += ["*", "* ---- Accessory lists"]
        for kind in ("small", "large", "single"):
            title = ACC_TITLE[kind]
            L.append("¤" + title)
            L += LIST_TRANSLATIONS[title][lang]
            L.append("EOL")
        L += ["*", "* ---- Connection-dimension lists"]
        for dn in all_dims():
            for ckey in conns_at(dn):
                L.append("¤" + cdim_title(dn, ckey))
                for k, letter, mm in conn_dims(dn, ckey):
                    L.append(cdim_text(lang, dn, ckey, letter, mm))
                L.append("EOL")
        L += ["*", "* ---- Article records in this language (fields 1, 2, 3)"]
        for key, per_lang in ARTICLE_OVERRIDES.items():
            L.append(key)
            L += per_lang[lang]
            L.append("EOL")
    L += ["*", "* End of Lang_%s.txt" % lang]
    return L


# ======================================================================
# Pictures
# ======================================================================

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
PALE = (236, 240, 244)
BODY = (38, 84, 140)           # epoxy-blue valve body
BODY_DARK = (18, 42, 76)
BODY_LIGHT = (104, 150, 204)
FLANGE = (56, 108, 170)
BOLT = (222, 222, 222)
PIPE = (168, 182, 196)
PIPE_DARK = (92, 104, 118)
PE_BLACK = (36, 36, 36)
PE_STRIPE = (24, 112, 214)
ORANGE = (232, 128, 24)
RED = (192, 30, 30)
DIM_RED = (128, 0, 0)          # the dimension-line colour 128 of the parameter file

QUESTION = [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."]


class View:
    """Draws in design units: x' = ox + x * s, y' = oy + y * s."""

    def __init__(self, cv, ox=0.0, oy=0.0, s=1.0):
        self.cv, self.ox, self.oy, self.s = cv, ox, oy, s

    def X(self, x):
        return self.ox + x * self.s

    def Y(self, y):
        return self.oy + y * self.s

    def rect(self, x0, y0, x1, y1, c):
        self.cv.rect(self.X(x0), self.Y(y0), self.X(x1), self.Y(y1), c)

    def box(self, x0, y0, x1, y1, fill, outline):
        t = max(1, int(round(self.s)))
        self.cv.box(int(round(self.X(x0))), int(round(self.Y(y0))),
                    int(round(self.X(x1))), int(round(self.Y(y1))), fill, outline, t)

    def disc(self, x, y, r, c):
        self.cv.disc(self.X(x), self.Y(y), r * self.s, c)

    def ring(self, x, y, r, t, c):
        self.cv.ring(self.X(x), self.Y(y), r * self.s, max(1.0, t * self.s), c)

    def poly(self, pts, c):
        self.cv.polygon([(self.X(x), self.Y(y)) for x, y in pts], c)

    def line(self, x0, y0, x1, y1, c, w=1.0):
        self.cv.line(self.X(x0), self.Y(y0), self.X(x1), self.Y(y1), c, max(1.0, w * self.s))


def rotate_point(x, y, arm, size=128):
    """Design coordinates of the north arm turned to another arm (clockwise)."""
    if arm == "N":
        return x, y
    if arm == "E":
        return size - y, x
    if arm == "S":
        return size - x, size - y
    return y, size - x


class ArmView:
    def __init__(self, view, arm, size=128):
        self.v, self.arm, self.size = view, arm, size

    def _r(self, x0, y0, x1, y1):
        ax, ay = rotate_point(x0, y0, self.arm, self.size)
        bx, by = rotate_point(x1, y1, self.arm, self.size)
        return min(ax, bx), min(ay, by), max(ax, bx), max(ay, by)

    def rect(self, x0, y0, x1, y1, c):
        self.v.rect(*self._r(x0, y0, x1, y1), c)

    def box(self, x0, y0, x1, y1, fill, outline):
        self.v.box(*self._r(x0, y0, x1, y1), fill, outline)

    def disc(self, x, y, r, c):
        self.v.disc(*rotate_point(x, y, self.arm, self.size), r, c)

    def ring(self, x, y, r, t, c):
        self.v.ring(*rotate_point(x, y, self.arm, self.size), r, t, c)


def draw_cross(view, arms):
    """Centre part with valve houses on the given arms, in a 128 x 128 design
    (centre part 32..96, valve houses 0..31: the product-information zones)."""
    oct_out = [(40, 31), (88, 31), (97, 40), (97, 88), (88, 97), (40, 97), (31, 88), (31, 40)]
    oct_in = [(41, 33), (87, 33), (95, 41), (95, 87), (87, 95), (41, 95), (33, 87), (33, 41)]
    view.poly(oct_out, BODY_DARK)
    view.poly(oct_in, BODY)
    for arm in "NESW":
        a = ArmView(view, arm)
        if arm in arms:
            a.box(44, 5, 84, 31, BODY, BODY_DARK)          # valve house
            a.box(40, 0, 88, 6, FLANGE, BODY_DARK)         # end flange
            a.rect(42, 2, 44, 4, BOLT)
            a.rect(84, 2, 86, 4, BOLT)
            a.box(47, 29, 81, 35, FLANGE, BODY_DARK)       # joint to the centre part
            a.disc(64, 17, 11, BODY_LIGHT)                 # bonnet seen from above
            a.ring(64, 17, 11, 1.5, BODY_DARK)
            a.box(60, 13, 68, 21, DARK, BLACK)             # spindle cap
        else:
            a.box(50, 31, 78, 36, BODY_DARK, BODY_DARK)    # closed side
    view.disc(64, 64, 13, BODY_LIGHT)
    view.ring(64, 64, 13, 2, BODY_DARK)
    view.disc(64, 64, 4, DARK)


def draw_single(view):
    """Single gate valve in a 72 x 34 design, pipe running north-south."""
    view.box(12, 0, 60, 5, FLANGE, BODY_DARK)
    view.box(12, 29, 60, 34, FLANGE, BODY_DARK)
    for x in (14, 56):
        view.rect(x, 1, x + 2, 3, BOLT)
        view.rect(x, 31, x + 2, 33, BOLT)
    view.box(18, 4, 54, 30, BODY, BODY_DARK)
    view.poly([(10, 10), (62, 10), (66, 14), (66, 20), (62, 24), (10, 24), (6, 20), (6, 14)],
              BODY_DARK)
    view.poly([(11, 11), (61, 11), (65, 15), (65, 19), (61, 23), (11, 23), (7, 19), (7, 15)],
              BODY)
    view.disc(36, 17, 10, BODY_LIGHT)
    view.ring(36, 17, 10, 1.5, BODY_DARK)
    view.box(32, 13, 40, 21, DARK, BLACK)


def centre_piece(type_key):
    if type_key == "ENKELVENTIL":
        cv = gif.Canvas(72, 34)
        draw_single(View(cv))
        return cv
    cv = gif.Canvas(128, 128)
    draw_cross(View(cv), TYPE_BY_KEY[type_key]["slots"])
    return cv


def type_picture(type_key):
    """Valve picture of the valve page, 110 x 110 pixels."""
    size = PICTURE_SIZE // 15
    cv = gif.Canvas(size, size)
    cv.disc(size / 2, size / 2, size / 2 - 1, PALE)
    c = size / 2
    if type_key == "ENKELVENTIL":
        s = 1.25
        ox, oy = c - 36 * s, c - 17 * s
        cv.rect(c - 11, 4, c + 11, oy + 1, PIPE)
        cv.rect(c - 11, oy + 33 * s, c + 11, size - 4, PIPE)
        draw_single(View(cv, ox, oy, s))
        return cv
    s = 0.66
    ox = oy = c - 64 * s
    arms = TYPE_BY_KEY[type_key]["slots"]
    w = 10
    if "N" in arms:
        cv.rect(c - w, 3, c + w, oy + 1, PIPE)
    if "S" in arms:
        cv.rect(c - w, oy + 127 * s, c + w, size - 3, PIPE)
    if "E" in arms:
        cv.rect(ox + 127 * s, c - w, size - 3, c + w, PIPE)
    if "W" in arms:
        cv.rect(3, c - w, ox + 1, c + w, PIPE)
    draw_cross(View(cv, ox, oy, s), arms)
    return cv


def piece_width(conn, mm=None, rel=None):
    if mm is not None:
        return max(12, min(44, int(round(mm * 0.2))))
    return {"L": 20, "E": 30, "G": 40}[rel]


def draw_piece(view, conn, w):
    """Connection piece in a 60 x 60 design with the valve side at the bottom.
    The outer 4 units stay empty, so a piece reaches 56 units (840 twips at
    96 dpi) beyond the centre piece: field 5 of the connection records."""
    c = 30.0
    h = w / 2.0
    o = PIECE_MARGIN
    view.box(6, 54, 54, 60, FLANGE, BODY_DARK)           # flange against the valve
    for x in (8, 50):
        view.rect(x, 55, x + 2, 59, BOLT)
    if conn == "BLINDFLENS":
        view.box(6, 46, 54, 55, FLANGE, BODY_DARK)
        for x in (9, 19, 37, 47):
            view.box(x, 43, x + 4, 47, DARK, BLACK)
        view.box(26, 41, 34, 46, DARK, BLACK)
        return
    # cone from the valve bore (30 wide) to the connection size
    if w != 30:
        view.poly([(15, 54), (45, 54), (c + h, 45), (c - h, 45)], PIPE)
        view.line(15, 54, c - h, 45, PIPE_DARK)
        view.line(45, 54, c + h, 45, PIPE_DARK)
    else:
        view.rect(15, 45, 45, 54, PIPE)
        view.rect(15, 45, 16, 54, PIPE_DARK)
        view.rect(44, 45, 45, 54, PIPE_DARK)
    if conn in ("FLENS", "FLENSSERVICE"):
        view.box(c - h, o + 5, c + h, 46, PIPE, PIPE_DARK)
        fl = min(29.0, h + 8)
        view.box(c - fl, o, c + fl, o + 6, FLANGE, BODY_DARK)
        view.rect(c - fl + 2, o + 2, c - fl + 4, o + 4, BOLT)
        view.rect(c + fl - 4, o + 2, c + fl - 2, o + 4, BOLT)
        if conn == "FLENSSERVICE":
            x0 = c + h - 1
            view.box(x0, 24, x0 + 6, 31, PIPE, PIPE_DARK)
            view.disc(x0 + 8, 27.5, 4, ORANGE)
            view.ring(x0 + 8, 27.5, 4, 1, BODY_DARK)
    elif conn == "SPISS":
        view.box(c - h, 38, c + h, 46, PIPE, PIPE_DARK)
        view.rect(c - h, o, c + h, 39, PE_BLACK)
        view.rect(c - h + 3, o, c - h + 4, 39, PE_STRIPE)
        view.rect(c + h - 4, o, c + h - 3, 39, PE_STRIPE)
    elif conn == "MUFFE":
        view.box(c - h, 18, c + h, 46, PIPE, PIPE_DARK)
        view.box(c - h - 6, o + 3, c + h + 6, 19, BODY, BODY_DARK)
        view.box(c - h - 8, o, c + h + 8, o + 5, FLANGE, BODY_DARK)
        view.rect(c - h - 6, o + 1, c - h - 4, o + 3, BOLT)
        view.rect(c + h + 4, o + 1, c + h + 6, o + 3, BOLT)


SLOT_TURNS = {"N": 0, "E": 1, "S": 2, "W": 3}
PIECE_MARGIN = 4
PIECE_REACH = (60 - PIECE_MARGIN) * 15        # 840 twips
BLIND_REACH = 14 * 15                          # 210 twips


def piece_picture(conn, w, slot, scale=1):
    cv = gif.Canvas(60 * scale, 60 * scale)
    draw_piece(View(cv, 0, 0, scale), conn, w)
    return cv.rotated(SLOT_TURNS[slot])


def connection_picture(conn, slot):
    """The slot image after a connection is chosen (110 x 110)."""
    size = PICTURE_SIZE // 15
    cv = gif.Canvas(size, size)
    cv.rect(0, 0, size, size, PALE)
    piece = gif.Canvas(100, 100, PALE)
    draw_piece(View(piece, 2, 2, 1.6), conn, 30)
    cv.paste(piece.rotated(SLOT_TURNS[slot]), 5, 5)
    cv.frame(0, 0, size, size, LIGHT)
    return cv


def question_mark(cv, x, y, scale, colour):
    cv.bitmap_text(x, y, QUESTION, colour, scale)


def arrow_towards(cv, slot, size, colour):
    """A small triangle pointing to the valve side of a slot."""
    c = size / 2.0
    if slot == "N":
        pts = [(c - 6, size - 12), (c + 6, size - 12), (c, size - 5)]
    elif slot == "S":
        pts = [(c - 6, 12), (c + 6, 12), (c, 5)]
    elif slot == "E":
        pts = [(12, c - 6), (12, c + 6), (5, c)]
    else:
        pts = [(size - 12, c - 6), (size - 12, c + 6), (size - 5, c)]
    cv.polygon(pts, colour)


def dummy_slot_picture(slot):
    size = PICTURE_SIZE // 15
    cv = gif.Canvas(size, size, PALE)
    cv.dashed_frame(3, 3, size - 3, size - 3, GREY, 6, 4)
    question_mark(cv, size // 2 - 15, size // 2 - 21, 6, GREY)
    arrow_towards(cv, slot, size, GREY)
    return cv


def dummy_piece_picture(slot):
    cv = gif.Canvas(60, 60)
    cv.dashed_frame(2, 2, 58, 58, GREY, 4, 3)
    question_mark(cv, 20, 16, 4, GREY)
    arrow_towards(cv, slot, 60, LIGHT)
    return cv


def dummy_placeholder():
    cv = gif.Canvas(60, 60, PALE)
    cv.frame(0, 0, 60, 60, GREY)
    question_mark(cv, 20, 13, 4, RED)
    return cv


def flag(code, width=40, height=27, border=False):
    cv = gif.Canvas(width, height)

    def cross(field, bands, cross_x, total_x, cross_y, total_y):
        cv.rect(0, 0, width, height, field)
        for colour, (x0, x1), (y0, y1) in bands:
            cv.rect(width * x0 / total_x, 0, width * x1 / total_x, height, colour)
            cv.rect(0, height * y0 / total_y, width, height * y1 / total_y, colour)

    if code == "NO":
        cross((186, 12, 47), [(WHITE, (6, 10), (6, 10)), ((0, 32, 91), (7, 9), (7, 9))],
              0, 22, 0, 16)
    elif code == "DK":
        cross((200, 16, 46), [(WHITE, (12, 16), (12, 16))], 0, 37, 0, 28)
    elif code == "SE":
        cross((0, 106, 167), [((254, 204, 2), (5, 7), (4, 6))], 0, 16, 0, 10)
    elif code == "FI":
        cross(WHITE, [((0, 53, 128), (5, 8), (4, 7))], 0, 18, 0, 11)
    elif code == "DE":
        for i, colour in enumerate([(0, 0, 0), (221, 0, 0), (255, 206, 0)]):
            cv.rect(0, height * i / 3.0, width, height * (i + 1) / 3.0, colour)
    elif code == "EN":
        blue, red = (1, 33, 105), (200, 16, 46)
        cv.rect(0, 0, width, height, blue)
        diag = height * 0.2
        cv.line(0, 0, width, height, WHITE, diag)
        cv.line(0, height, width, 0, WHITE, diag)
        cv.line(0, 0, width, height, red, diag / 3.0)
        cv.line(0, height, width, 0, red, diag / 3.0)
        cv.rect(width / 2.0 - height / 6.0, 0, width / 2.0 + height / 6.0, height, WHITE)
        cv.rect(0, height / 3.0, width, height * 2 / 3.0, WHITE)
        cv.rect(width / 2.0 - height / 10.0, 0, width / 2.0 + height / 10.0, height, red)
        cv.rect(0, height * 0.4, width, height * 0.6, red)
    if border:
        cv.frame(0, 0, width, height, DARK)
    return cv


def connection_start_picture(lang):
    size = PICTURE_SIZE // 15
    cv = gif.Canvas(size, size, PALE)
    c = size / 2.0
    cv.dashed_circle(c, c + 6, 34, GREY)
    cv.disc(c, c + 6, 22, WHITE)
    cv.ring(c, c + 6, 22, 2, PE_STRIPE)
    cv.rect(c - 3, c + 6 - 14, c + 3, c + 6 + 14, PE_STRIPE)
    cv.rect(c - 14, c + 6 - 3, c + 14, c + 6 + 3, PE_STRIPE)
    # a mouse pointer
    px, py = c + 18, c + 22
    cv.polygon([(px, py), (px, py + 22), (px + 6, py + 16), (px + 11, py + 26),
                (px + 15, py + 24), (px + 10, py + 14), (px + 17, py + 14)], BLACK)
    cv.polygon([(px + 1.5, py + 3.5), (px + 1.5, py + 18.5), (px + 6.2, py + 13.8),
                (px + 11.2, py + 23.4), (px + 12.9, py + 22.6), (px + 8, py + 12.5),
                (px + 13.5, py + 12.5)], WHITE)
    cv.paste(flag(lang, 30, 20, True), size - 34, 4)
    return cv


def start_picture_1():
    """A street map with the water main, a valve cross and single valves."""
    w, h = 290, 190
    cv = gif.Canvas(w, h, (238, 234, 220))
    street = (208, 208, 204)
    cv.rect(0, 78, w, 112, street)
    cv.rect(128, 0, 162, h, street)
    for x0, y0, x1, y1, roof in [(12, 12, 70, 62, (178, 92, 72)), (84, 20, 116, 64, (150, 150, 160)),
                                 (176, 10, 236, 60, (178, 92, 72)), (246, 22, 282, 66, (120, 136, 110)),
                                 (14, 128, 60, 178, (150, 150, 160)), (74, 124, 116, 172, (178, 92, 72)),
                                 (180, 126, 270, 176, (120, 136, 110))]:
        cv.box(x0, y0, x1, y1, roof, (90, 70, 60))
    for x, y in [(100, 140), (280, 140), (170, 180), (240, 74), (122, 10)]:
        cv.disc(x, y, 7, (96, 150, 80))
        cv.ring(x, y, 7, 1, (60, 100, 50))
    cv.rect(0, 92, w, 98, BODY)          # water main east-west
    cv.rect(142, 0, 148, h, BODY)        # water main north-south
    s = 0.5
    draw_cross(View(cv, 145 - 64 * s, 95 - 64 * s, s), "NESW")
    single = gif.Canvas(32, 16, street)
    draw_single(View(single, 0, 0, 0.44))
    side = single.rotated(1)
    cv.paste(side, 52, 95 - side.height // 2)
    cv.paste(side, 222, 95 - side.height // 2)
    cv.paste(single, 145 - 16, 150)
    cv.paste(single, 145 - 16, 22)
    cv.frame(0, 0, w, h, GREY)
    return cv


def start_picture_2():
    """A configuration code card: twelve positions and the suffix, with a keyboard."""
    w, h = 290, 190
    cv = gif.Canvas(w, h, (226, 234, 242))
    cv.box(14, 24, 276, 96, WHITE, GREY)
    colours = [BODY, ORANGE, (96, 150, 80), (128, 72, 160)] + \
              [PE_STRIPE, (120, 170, 220)] * 4
    for i, colour in enumerate(colours):
        x = 24 + i * 17
        cv.box(x, 44, x + 14, 72, colour, BODY_DARK)
    for i in range(4):
        x = 24 + 12 * 17 + 6 + i * 11
        cv.box(x, 50, x + 9, 66, LIGHT, GREY)
    cv.rect(24, 80, 230, 83, LIGHT)
    cv.box(40, 112, 250, 178, (70, 74, 82), BLACK)
    for row in range(4):
        for col in range(12):
            x = 48 + col * 16 + (row % 2) * 6
            y = 118 + row * 14
            if x + 13 < 244:
                cv.box(x, y, x + 13, y + 11, (210, 212, 216), (40, 40, 44))
    cv.rect(100, 174 - 2, 180, 175, (210, 212, 216))
    cv.frame(0, 0, w, h, GREY)
    return cv


def logo_picture():
    w, h = 200, 80
    cv = gif.Canvas(w, h, WHITE)
    cv.polygon([(8, 2), (192, 2), (198, 8), (198, 72), (192, 78), (8, 78), (2, 72), (2, 8)], BODY)
    cx, cy = 40, 40
    cv.ring(cx, cy, 28, 6, WHITE)
    import math
    for i in range(5):
        a = -math.pi / 2 + i * 2 * math.pi / 5
        cv.line(cx, cy, cx + 24 * math.cos(a), cy + 24 * math.sin(a), WHITE, 4)
    cv.disc(cx, cy, 8, WHITE)
    cv.disc(cx, cy, 3, BODY)
    # a K made of three strokes
    cv.rect(84, 14, 94, 66, WHITE)
    cv.polygon([(94, 38), (116, 14), (129, 14), (104, 41)], WHITE)
    cv.polygon([(100, 36), (108, 33), (130, 66), (117, 66)], WHITE)
    for j, y in enumerate((26, 40, 54)):
        pts = []
        for x in range(138, 192):
            pts.append((x, y + 4 * math.sin((x - 138) / 54.0 * 2 * math.pi + j)))
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            cv.line(x0, y0, x1, y1, (150, 200, 240), 2.5)
    return cv


def enlarge_icon():
    cv = gif.Canvas(20, 20, PALE)
    cv.frame(0, 0, 20, 20, GREY)
    cv.line(11.5, 11.5, 17.5, 17.5, DARK, 3)
    cv.disc(8, 8, 6, WHITE)
    cv.ring(8, 8, 6, 1.6, DARK)
    cv.rect(5, 7, 11, 9, PE_STRIPE)
    cv.rect(7, 5, 9, 11, PE_STRIPE)
    return cv


def exit_icon():
    cv = gif.Canvas(20, 20, WHITE)
    cv.disc(10, 10, 9, RED)
    cv.line(6, 6, 14, 14, WHITE, 2.2)
    cv.line(6, 14, 14, 6, WHITE, 2.2)
    return cv


def plain(width, height, colour=WHITE):
    return gif.Canvas(width, height, colour)


def hline_picture(at_bottom):
    cv = gif.Canvas(34, 7)
    y = 6 if at_bottom else 0
    cv.rect(0, y, 34, y + 1, DIM_RED)
    return cv


# Connection pieces with their own picture for an exact size; the other sizes
# use the L/E/G pictures (so both ways of naming a picture are in use).
EXACT_PIECES = {"FLENS": [80, 100, 150, 200], "SPISS": [110, 160], "MUFFE": [150]}


def pictures():
    """Dictionary file name -> Canvas (".gif" pictures of the data directory)."""
    out = {}
    for code in LANGS:
        out["%s_flag.gif" % code.lower()] = flag(code)
    out["no_flag_26.gif"] = flag("NO", border=True)
    out["en_flag_26.gif"] = flag("EN", border=True)
    out["StartPic1.gif"] = start_picture_1()
    out["StartPic2.gif"] = start_picture_2()
    out["Dummy_C.gif"] = dummy_placeholder()
    for t in TYPES:
        out[t["key"] + ".gif"] = type_picture(t["key"])
        out[t["key"] + "_RC.gif"] = centre_piece(t["key"])
        out[t["key"] + "_EC.gif"] = centre_piece(t["key"])
    for lang in LANGS:
        out["ConnectionStart_%s.gif" % lang] = connection_start_picture(lang)
    for slot in "NESW":
        out["DUMMY_%s.gif" % slot] = dummy_slot_picture(slot)
        out["Dummy_R%s.gif" % slot] = dummy_piece_picture(slot)
    for conn, _letter, _desc in CONNECTIONS:
        for slot in "NESW":
            out["%s_%s.gif" % (conn, slot)] = connection_picture(conn, slot)
            for rel in "LEG":
                out["%s_%s_%s.gif" % (conn, rel, slot)] = piece_picture(
                    conn, piece_width(conn, rel=rel), slot)
        for mm in EXACT_PIECES.get(conn, []):
            for slot in "NESW":
                out["%s_%04d_%s.gif" % (conn, mm, slot)] = piece_picture(
                    conn, piece_width(conn, mm=mm), slot)
    piece = piece_picture("FLENS", piece_width("FLENS", mm=150), "N")
    piece.frame(0, 0, 60, 60, LIGHT)
    out["FLENS_0150_N_26.gif"] = piece
    out["EnlargePic.gif"] = enlarge_icon()
    out["ExitPic.gif"] = exit_icon()
    out["ClearText.gif"] = plain(CANVAS[2] // 15, CANVAS[3] // 15)
    out["VerticalLine.gif"] = plain(1, 400, DIM_RED)
    out["HorisontalLine1.gif"] = hline_picture(False)
    out["HorisontalLine2.gif"] = hline_picture(True)
    out["Reference1000x1000.gif"] = plain(1000, 1000)
    return out


# ======================================================================
# Reading an installation the way the program does (for --selftest)
# ======================================================================

NUMBER_RE = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")


def number_value(line):
    """Value of a number line: blanks and tabs ignored, leading number, rounded
    halves to even; None when the line has no leading number."""
    m = NUMBER_RE.match(line.replace(" ", "").replace("\t", ""))
    if not m:
        return None
    return int(round(float(m.group(0))))


def decode_text_file(data):
    """Lines of a Windows-1252 CR LF file; raises ValueError on a format fault."""
    text = data.decode("cp1252")
    if not text.endswith("\r\n"):
        raise ValueError("last line not ended by CR LF")
    body = text[:-2]
    if "\n" in body.replace("\r\n", "") or "\r" in body.replace("\r\n", ""):
        raise ValueError("line end other than CR LF")
    return body.split("\r\n")


class Reader:
    """A forward reader over the lines of one sectioned text file."""

    def __init__(self, install, lines):
        self.install, self.lines, self.pos = install, lines, 0

    def eof(self):
        return self.pos >= len(self.lines)

    def raw(self):
        line = self.lines[self.pos]
        self.pos += 1
        return line

    def text(self):
        while not self.eof():
            line = self.raw()
            if line == "" or line[0] in " *":
                continue
            if line.startswith("¤¤"):
                return self.install.translate(line)
            return line
        return ""

    def number(self):
        while not self.eof():
            line = self.raw()
            value = number_value(line)
            if line.startswith("0 "):
                return 0
            if value:
                if not -32768 <= value <= 32767:
                    raise ValueError("number line out of range: %r" % line)
                return value
        return 0

    def find(self, key):
        bare = key.rstrip(" ")
        while not self.eof():
            line = self.text()
            if line == "" and self.eof():
                return False
            if not line.startswith("¤"):
                continue
            p = line.find(key)
            if p < 0:
                continue
            padded = line + " "
            if p + len(bare) < len(padded) and padded[p + len(bare)] == " ":
                return True
        return False


class Install:
    def __init__(self, root, lang="NO"):
        self.root = root
        self.data_dir = os.path.join(root, "Tessaro")
        self.names = {n.lower(): n for n in os.listdir(self.data_dir)}
        self.lang = lang
        self._cache = {}

    def file_lines(self, name):
        real = self.names.get(name.lower())
        if real is None:
            raise FileNotFoundError(name)
        if real not in self._cache:
            with open(os.path.join(self.data_dir, real), "rb") as f:
                self._cache[real] = decode_text_file(f.read())
        return self._cache[real]

    def reader(self, name):
        return Reader(self, self.file_lines(name))

    def lang_lines(self):
        return self.file_lines("Lang_%s.txt" % self.lang)

    def translate(self, key):
        if self.lang == "NO":
            return key[2:]
        lines = self.lang_lines()
        for i, line in enumerate(lines):
            if line == key and i + 1 < len(lines):
                return lines[i + 1]
        return key[2:]

    def param_head(self, r):
        lines = [r.text() for _ in range(5)]
        return dict(ident=lines[1], path=lines[2], pass_code=lines[3][::-1],
                    suffix=lines[4])

    def section(self, key, name="Tessaro.dat", title=True):
        r = self.reader(name)
        if not r.find(key):
            return None
        head = r.text() if title else None
        out = []
        while not r.eof():
            t = r.text()
            if t == "EOL" or (t == "" and r.eof()):
                break
            out.append(t)
        return head, out

    def lang_section(self, key):
        return self.section(key, "Lang_%s.txt" % self.lang, title=False)

    def lang_text(self, key):
        r = self.reader("Lang_%s.txt" % self.lang)
        if r.find(key) and not r.eof():
            return r.raw()
        return "%s not found in Lang_%s" % (key, self.lang)

    def code_letter(self, key):
        r = self.reader("Tessaro.dat")
        while not r.eof():
            line = r.raw()
            if line.startswith("¤") and line == key:
                return r.text()[:1]
        return ""

    def article(self, key, lower=False):
        placeholder = self.translate("¤¤Mangler")
        if lower:
            placeholder = placeholder.lower()
        rec = ["(MISSING) "] + [placeholder] * 30
        rec[3] = ""
        if not key.endswith(" "):
            key += " "
        r = self.reader("Vantordata.dat")
        found = False
        while not r.eof():
            line = r.text()
            if line.startswith("¤") and key in line:
                found = True
                break
        if not found:
            return 0, rec
        rec[0] = ""
        r.text()                                   # title line
        count = 0
        while not r.eof():
            t = r.text()
            if t == "EOL" or (t == "" and r.eof()):
                break
            count += 1
            if count <= 30:
                rec[count] = t
        over = self.lang_section(key.rstrip(" "))
        if over is not None:
            for i, t in enumerate(over[1][:30], 1):
                rec[i] = t
        if rec[2].startswith("UNUSED"):
            rec[0] = "(UNUSED) "
        if rec[3].startswith("UNUSED"):
            rec[3] = ""
        return count, rec

    # -- the valve-page head, as the valve page reads it --------------
    def valve_types(self):
        r = self.reader("Tessaro.dat")
        self.param_head(r)
        kinds = [i[0] for i in valve_page_items() if i[0] != "c"]
        values = [r.number() if k == "n" else r.text() for k in kinds]
        count = values[-len(TYPES) - 1]
        types = []
        for line in values[-count:]:
            types.append(dict(key=line.split(" ")[0], letter=line[19:20], desc=line[25:]))
        tags = values[-count - 1 - 1 - 8:-count - 1 - 1]
        return types, tags

    # -- the code check ------------------------------------------------
    def check_code(self, code):
        """0 when the code is valid, else the first bad position; also the
        parsed record."""
        types, tags = self.valve_types()
        code = code.upper()
        rec = {}
        t_index = None
        for i, t in enumerate(types, 1):
            if code[0] == t["letter"]:
                t_index = i
                break
        if t_index is None:
            return 1, rec
        t = types[t_index - 1]
        rec["type"] = t_index
        rec["type_key"] = t["key"]
        dims = self.section("¤DIM_" + t["key"])
        if dims is None:
            return 4, rec
        dim = None
        for line in dims[1]:
            if line[19:20] == code[3]:
                dim = dict(key=line.split(" ")[0], mm=int(line[21:25]))
        if dim is None:
            return 4, rec
        rec["dim"] = dim
        bottom = self.section("¤BOTTOM_" + code[1], title=False)
        if bottom is None:
            return 2, rec
        r = self.reader("Tessaro.dat")
        r.find("¤BOTTOM_" + code[1])
        r.text()
        second = r.text()
        if second[:1] != code[1]:
            rec.setdefault("messages", []).append("Format error for code " + code[1])
        bits = [0 if second[4 + g:5 + g] == "0" else 1 for g in range(4)]
        rec["tags"] = [tags[2 * g + b] for g, b in enumerate(bits)]
        acc_key = "¤CPD_%s_%s" % (t["key"], ("%04d" % dim["mm"]) if dim["mm"] <= 100 else "+")
        acc = self.section(acc_key)
        acc_line = None
        if acc is not None:
            for line in acc[1]:
                if line[19:20] == code[2]:
                    acc_line = line
        if acc_line is None and not (code[2] == "X" and t_index == 1):
            return 3, rec
        rec["accessory"] = acc_line.split(" ")[0] if acc_line else None
        conns = self.section("¤CONN_" + t["key"])
        slots = {1: (1, 3), 2: (1, 2, 3), 3: (1, 2, 3, 4), 4: (1, 3)}[t_index]
        rec["slots"] = {}
        for slot in slots:
            p = 2 * slot + 3
            found = None
            for line in (conns[1] if conns else []):
                if line[19:20] == code[p - 1]:
                    found = line
                    break
            if found is None:
                return p, rec
            ckey = found.split(" ")[0]
            cdims = self.section("¤%s_%s" % (dim["key"], ckey))
            if cdims is None or not cdims[1]:
                rec.setdefault("messages", []).append(
                    "¤%s_%s key not found" % (dim["key"], ckey))
                return p + 1, rec
            hit = None
            for line in cdims[1]:
                if line[19:20] == code[p]:
                    hit = line
            if hit is None:
                return p + 1, rec
            rec["slots"][slot] = (ckey, hit.split(" ")[0], int(hit[21:25]))
        return 0, rec

    def article_keys(self, rec):
        """Article keys that the result screen and the report look up."""
        dn = "%04d" % rec["dim"]["mm"]
        keys = ["¤%s_%s_CPD" % (dn, rec["type_key"].upper())]
        count, cpd = self.article(keys[0])
        codes = [cpd[10][5 * k - 5:5 * k - 1] for k in range(1, 5)] if count else ["UFOT"] * 4
        previous = None
        for k, code in enumerate(codes):
            if code != previous:
                keys.append("¤%s_%s_%s_VHK" % (dn, "_".join(rec["tags"]), code))
            previous = code
        if rec["tags"][3] != "NOAKT":
            keys.append("¤%s_AKT" % dn)
        if rec["type"] != 1:
            keys.append("¤%s_%s_BRV" % (dn, rec["accessory"]))
        for slot, (ckey, cdkey, _mm) in sorted(rec["slots"].items()):
            keys.append("¤%s_%s_%s_TK" % (dn, ckey.upper(), cdkey))
        return keys


# Codes with one fault and the position that the code check reports.
def invalid_examples():
    good = example_codes()[4][0]         # T-cross DN 150
    out = [(good[:3] + "Z" + good[4:], 4, "no dimension with letter Z"),
           ("T" + "Z" + good[2:3] + "Z" + good[4:], 4,
            "bad letters at 2 and 4: the dimension is checked first"),
           (good[:1] + "X" + good[2:], 2, "no ¤BOTTOM_X section"),
           (good[:2] + "I" + good[3:], 3, "accessory I exists only for DN 150 and up in crosses"
            " (the DN 150 list has it, so DN 100 is used here)"),
           (good[:6] + "Q" + good[7:], 7, "no connection with letter Q"),
           (good[:7] + "A" + good[8:], 8, "PE spigot list of DN 150 has no letter A"),
           ("Q" + good[1:], 1, "no valve type with letter Q")]
    # make the accessory case really fail: DN 100 T-cross has no accessory I
    dn100 = make_code("TKRYSS", (0, 0, 0, 1), "UTEN", 100,
                      {"N": ("FLENS", "DN100"), "E": ("FLENS", "DN100"),
                       "S": ("FLENS", "DN100")})
    out[3] = (dn100[:2] + "I" + dn100[3:], 3,
              "accessory I (insulation cover) is offered only from DN 150 up")
    return out


# ======================================================================
# README of the sample
# ======================================================================

def readme_text():
    ex = example_codes()
    L = []
    a = L.append
    a("# The sample installation")
    a("")
    a("Generated by `tools/make_sample.py` (do not edit the files by hand; change the")
    a("generator and run `python3 tools/make_sample.py`). `--check` exits 1 when the")
    a("committed tree differs from a fresh run, `--selftest` reads the committed files the")
    a("way the program does and checks codes, keys, formats, geometry and pictures.")
    a("")
    a("- `Tessaro/` is the data directory: `Tessaro.dat`, `Vantordata.dat`, `Lang_NO.txt` …")
    a("  `Lang_SE.txt`, the information files `Intro_XX.txt` and `Nytt_XX.txt` and the pictures.")
    a("- `TeHtml/` is the report directory with the maker's logo `KelmorLogo_21.bmp`.")
    a("- `personal.ini` holds an example customer (section `[Personal]`).")
    a("")
    a("Every data file is Windows-1252 with CR LF line ends, the last line ended too. This")
    a("README is UTF-8.")
    a("")
    a("## Maker and head of the parameter file")
    a("")
    a("The valves are made by the (invented) firm Kelmor: home page `%s`," % HOME_PAGE)
    a("configurator page `%s` (also value 25 of `¤STARTSCREEN`)." % CONFIGURATOR_PAGE)
    a("")
    a("| head line | content |")
    a("|---|---|")
    for i, line in enumerate(param_head(), 1):
        a("| %d | `%s` |" % (i, line))
    a("")
    a("- Administration pass code: **`%s`** (9 characters; line 4 holds it reversed)." %
      ADMIN_PASS_CODE)
    a("- Code suffix: **`%s`** (every example code below ends with it)." % CODE_SUFFIX)
    a("")
    a("## Valve types")
    a("")
    a("| no. | key | letter | description | dimensions (DN) | slots | connections |")
    a("|---|---|---|---|---|---|---|")
    for i, t in enumerate(TYPES, 1):
        a("| %d | `%s` | %s | %s | %s | %s | %s |" % (
            i, t["key"], t["letter"], t["desc"], ", ".join(str(d) for d in t["dims"]),
            " ".join(t["slots"]), ", ".join(CONN_LISTS[t["conns"]])))
    a("")
    a("Type 4 has no button (typed codes only). Dimension keys are `DN080` … `DN300`")
    a("(section `¤DIM_` + type key, title `DIMENSJONER`); the letters:")
    a("")
    a("| DN | 50 | 80 | 100 | 150 | 200 | 250 | 300 | 350 |")
    a("|---|---|---|---|---|---|---|---|---|")
    a("| letter | " + " | ".join(DN_LETTER[d] for d in DN_SERIES) + " |")
    a("")
    a("The same letters name flange, socket and blind-flange sizes; PE spigot sizes (outside")
    a("diameter, key `PE160` etc.) use: " + ", ".join(
        "%d %s" % (od, l) for od, l in sorted(PE_LETTER.items())) + ".")
    a("")
    a("## Accessories (code position 3)")
    a("")
    a("| section | title | lines (key letter description) |")
    a("|---|---|---|")
    for key, kind in cpd_sections():
        a("| `¤%s` | `%s` | %s |" % (key, ACC_TITLE[kind], "; ".join(
            "`%s` %s %s" % (k, l, d) for k, l, _n, d in ACC_LIST[kind])))
    a("")
    a("The single valve's sections hold one line with the letter X (its position 3 stays X).")
    a("The article records of `%s` are marked UNUSED (description, article number and" %
      UNUSED_ACCESSORY)
    a("weight), so the result shows \"(UNUSED) \" and the report \"---\".")
    a("")
    a("## Connections and connection dimensions (positions 5-12)")
    a("")
    a("| key | letter | description |")
    a("|---|---|---|")
    for key, letter, desc in CONNECTIONS:
        a("| `%s` | %s | %s |" % (key, letter, desc))
    a("")
    a("`¤CONN_ENKELVENTIL` has the first four, the other types all five. The connection")
    a("dimensions of a valve size are the section `¤` + dimension key + `_` + connection key")
    a("(for example `¤DN150_FLENS`); these are also the menus that the menu check walks")
    a("(`¤DIM_ENKELVENTIL`, then `¤DIM_VENTILKRYSS`, menus `_FLENS` and `_FLENSSERVICE`), and")
    a("the article keys of both are the same (`¤0150_FLENS_DN100_TK`).")
    a("")
    a("| valve DN | FLENS | FLENSSERVICE | SPISS | MUFFE | BLINDFLENS |")
    a("|---|---|---|---|---|---|")
    for dn in all_dims():
        cells = []
        for ckey in ["FLENS", "FLENSSERVICE", "SPISS", "MUFFE", "BLINDFLENS"]:
            cells.append(" ".join("%s=%s(%s)" % (k, l, compare_dimensions(dn, mm))
                                  for k, l, mm in conn_dims(dn, ckey)))
        a("| %d | %s |" % (dn, " | ".join(cells)))
    a("")
    a("(L, E, G: what `CompareDimensions` gives against the valve size.)")
    a("")
    a("**Column 30.** The choice-line layout puts the code letter in column 20 and the")
    a("description from column 26, while the menu check reads a connection's code character")
    a("in column 30. Every connection-dimension description therefore starts with")
    a("`Alt X:` (\"alternative X\"), X being the line's own letter, so column 30 repeats")
    a("column 20 and the menu check's code fragments equal the letters of real codes:")
    a("")
    a("```")
    a(choice_line("DN100", "B", 100, cdim_text("NO", 150, "FLENS", "B", 100)))
    a("123456789012345678901234567890")
    a("```")
    a("")
    a("The translated lists in the language files do not need this (only the parameter")
    a("file is read by the menu check).")
    a("")
    a("## What the menu check finds")
    a("")
    a("Three faults are left in the data on purpose, all at DN 80 (a size only the first of")
    a("the two dimension lists has, so each is reported once):")
    a("")
    a("- the DN 100 line of `¤DN080_FLENS` still reads `Alt A:`, copied from the DN 80 line,")
    a("  so its column 30 repeats that line's letter while column 20 (the wizard's letter)")
    a("  is B;")
    a("- `¤DN080_FLENSSERVICE` is missing, so the wizard offers the service flange at DN 80")
    a("  without dimensions;")
    a("- the article record `¤0080_FLENS_DN050_TK` is missing, so a DN 80 valve with a DN 50")
    a("  flange shows \"(MISSING) \".")
    a("")
    a("`MenuCheck.txt` therefore holds these lines among its dimension lines and \"  #\"")
    a("lines (verified by `--selftest`):")
    a("")
    a("```")
    for line in MENU_CHECK_FINDINGS:
        a(line)
    a("```")
    a("")
    a("## What the data check finds")
    a("")
    a("`tessaro-vavuvirivado datacheck` counts 11,748,736 accepted codes on the sample and")
    a("reports six findings (`DataCheck.txt`, or `--json`):")
    a("")
    a("| kind | subject | codes | why |")
    a("|---|---|---|---|")
    a("| `missing-article` | `¤0080_FLENS_DN050_TK` | 17,600 (e.g. `EAXAFHXXFHXX-V18`) |"
      " the missing record of the menu check's faults |")
    a("| `missing-section` | `¤DN080_FLENSSERVICE` | 0 | the missing service-flange list:"
      " the wizard offers the connection at DN 80, no code can name a dimension of it |")
    a("| `unused-article` | `¤0150_ISOLASJON_BRV`, `¤0200_…`, `¤0250_…`, `¤0300_…` |"
      " 494,832, 494,832, 492,128, 492,128 | the insulation cover (accessory I) is"
      " withdrawn (`UNUSED`) but still offered from DN 150 up |")
    a("")
    a("The first fault of the menu check (column 30 of the DN 100 line of `¤DN080_FLENS`)")
    a("is none of the codes: the code check and the wizard read the letter in column 20,")
    a("which is B.")
    a("")
    a("## Options and bottom letters (position 2)")
    a("")
    a("Option tags in the head, in order: " + ", ".join("`%s`" % t for t in OPTION_TAGS) +
      " (spindle quality A2/A4, closing direction clockwise HL / anticlockwise VL,")
    a("wedge EPDM/NBR, actuator with AKT / without NOAKT). Option combination sections are")
    a("`¤` + the four tags joined by `_` with nothing after the key; the next line starts")
    a("with the bottom letter. `¤BOTTOM_` + letter: line 1 a caption, line 2 the letter,")
    a("three blanks and the four digits (0 = option 1; for the actuator 0 = with).")
    a("")
    a("| letter | tags | digits |")
    a("|---|---|---|")
    for bits in ALL_BITS:
        a("| %s | %s | %s |" % (bottom_letter(bits), " ".join(tags_of(bits)),
                                "".join(str(b) for b in bits)))
    a("")
    a("A fresh installation's option defaults (A2=2, LR=1, SK=2, AC=2) give A2 HL EP NOAKT,")
    a("letter **B**, as soon as a dimension is chosen.")
    a("")
    a("## Valid configuration codes")
    a("")
    a("All pass the code check (verified by `--selftest`); type 1 keeps X at positions")
    a("3, 7, 8, 11, 12, type 2 at 11 and 12, type 4 at 7, 8, 11, 12 (never checked).")
    a("")
    a("| code | what |")
    a("|---|---|")
    for code, what in ex:
        a("| `%s` | %s |" % (code, what))
    a("")
    a("Codes with an NRF section (`¤` + code + `_NRF`):")
    a("")
    for idx, nrf in sorted(NRF_NUMBERS.items()):
        a("- `%s` → `%s`" % (ex[idx][0], nrf))
    a("")
    a("Every other valid code shows `---` as NRF number. Codes with a fault, and the")
    a("position the code check reports:")
    a("")
    a("| code | position | why |")
    a("|---|---|---|")
    for code, pos, why in invalid_examples():
        a("| `%s` | %d | %s |" % (code, pos, why))
    a("")
    a("## Article file `Vantordata.dat`")
    a("")
    a("Head line 1 `%s`, line 2 `%s`; the file ends with `EOF`." % (ARTICLE_HEAD_1,
                                                                 ARTICLE_HEAD_2))
    a("Every record: key line (key, a blank, a note), title (key without `¤`), fields 1-12,")
    a("`EOL`. Families:")
    a("")
    recs = article_records()
    fams = {}
    for _c, key, _n, _f in recs:
        fams.setdefault(key.rsplit("_", 1)[1], []).append(key)
    for fam in ("CPD", "VHK", "TK", "BRV", "AKT"):
        a("- `_%s`: %d records, e.g. `%s`" % (fam, len(fams[fam]), fams[fam][0]))
    a("")
    a("- Valve-house codes (field 10 of `_CPD`, order N S E W) are `%s` except" %
      HOUSE_CODES_DEFAULT)
    for (tk, dn), codes in sorted(HOUSE_CODES.items()):
        a("  `%s` DN %d: `%s`" % (tk, dn, codes))
    a("  (`UFOT`: standard valve house, `KORT`: short valve house). These give the second")
    a("  valve-house line and row.")
    a("- Lengths (field 6) are in **millimetres** (`210 mm`): the result adds them up, a")
    a("  connection counts as complete only above 9.99, and the report prints the sums in mm.")
    a("  The centre part's length is centre-to-face (the result counts it twice). The")
    a("  `SPISS` connection records write `262,5 mm` (decimal comma, read as 262.5 by the")
    a("  connection lookup).")
    a("- Dimensioning offsets: centre parts 960/1200 (fields 4/5), valve houses 0/0,")
    a("  connections %d/%d (blind flanges %d/%d): field 5 is how far the connection" % (
        round(PIECE_REACH * 0.8), PIECE_REACH, round(BLIND_REACH * 0.8), BLIND_REACH))
    a("  piece reaches beyond the centre piece in screen units at 96 dpi (the pieces are")
    a("  60 pixels with the outer 4 left empty).")
    a("- `_BRV` `UTEN` records carry the text key `¤¤Uten tilbehør` as description.")
    a("- The language files override `¤0150_TKRYSS_CPD` and `¤0150_FLENS_DN150_TK`")
    a("  (fields 1-3) in every language but Norwegian.")
    a("- The valve-house key without type code that the enlarged drawing looks up is not in")
    a("  the file; every valve house has offsets 0, so either reading gives 0.")
    a("")
    a("## Language files")
    a("")
    a("Head: caption, `0` (top text shown), top text, Exit/Back/Next captions, then the")
    a("valve-page captions (valve-type frame, picture tool tip, two unused lines, accessory")
    a("frame and label, dimension frame and label, slot frames 12/6/3/9, the two picker")
    a("labels, one unused line, `%d` = left of the type buttons, `4` and the four type" %
      VALVE_BUTTON_LEFT)
    a("descriptions). Then (except in `Lang_NO.txt`) every text key of the data files and")
    a("of the program with its translation, the single texts, the help panels, the")
    a("translated lists (titles `TILKOBLING_*`, `TILBEHOR_*`, `TK_<dimension>_<connection>`)")
    a("and two article overrides. Help panel places (top, left, width, height, margin):")
    a("")
    a("| help keys | place |")
    a("|---|---|")
    a("| Lang_XX | %s (start screen, over the pictures) |" % (HELP_START,))
    a("| Reconfig1 | %s |" % (HELP_CODE,))
    a("| Startinfo, Spindlekvalitet, opt*, Dimensions, Accesories, NoAccesories | %s "
      "(valve page, the band above the frames) |" % (HELP_BAND,))
    a("| CenterHelp1-4, ConnSel0/1_W | %s (connection page, top left corner) |" %
      (HELP_TOP_LEFT,))
    a("| ConnSel0/1_N | %s |" % (HELP_TOP_RIGHT,))
    a("| ConnSel0/1_E | %s |" % (HELP_BOTTOM_RIGHT,))
    a("| ConnSel0/1_S | %s |" % (HELP_BOTTOM_LEFT,))
    a("")
    a("## Pictures (15 twips a pixel)")
    a("")
    a("- Flags `xx_flag.gif` 40x27; `no_flag_26.gif`, `en_flag_26.gif` and")
    a("  `FLENS_0150_N_26.gif` are the resolution variants (they have a thin frame).")
    a("- `StartPic1.gif`, `StartPic2.gif` 290x190; `Dummy_C.gif` 60x60.")
    a("- Valve pictures `<type key>.gif` 110x110 (= the picture size %d);" % PICTURE_SIZE)
    a("  `<type key>_RC.gif` and `_EC.gif` 128x128 (single valve 72x34): the centre part")
    a("  fills pixels 32-95 and the valve houses the borders, matching the product")
    a("  information zones 460/1451 twips.")
    a("- `ConnectionStart_XX.gif`, `DUMMY_N/E/S/W.gif`, `<connection>_<slot>.gif` 110x110.")
    a("- Connection pieces 60x60, valve side towards the centre: `<connection>_L|E|G_<slot>`")
    a("  for every connection, and exact sizes only for " + "; ".join(
        "%s %s" % (c, ", ".join("%04d" % m for m in mms)) for c, mms in EXACT_PIECES.items()) +
      " (all other sizes use the L/E/G fallback).")
    a("- `Dummy_RN/RE/RS/RW.gif` 60x60, `EnlargePic.gif` and `ExitPic.gif` (the exit")
    a("  picture of the enlarged view) 20x20, `ClearText.gif` = the canvas, `VerticalLine.gif`")
    a("  1x400, `HorisontalLine1.gif` (line in its top row) and `HorisontalLine2.gif` (line")
    a("  in its bottom row) 34x7, `Reference1000x1000.gif` 1000x1000.")
    a("")
    a("## Geometry conventions the data assumes")
    a("")
    a("- Window 9850 x 10550 twips; buttons about 1200 x 375; the top text above 400.")
    a("- Valve page: valve-type frame %s in the middle with the picture at its top and the" %
      (VALVE_FRAME,))
    a("  type buttons below it; dimension frame left, accessory frame right, spindle and")
    a("  closing frames below (wedge and actuator frames under those, never shown).")
    a("- Connection page: slot frames around the valve-type frame; the pickers open over")
    a("  the slot (origin %d, %d, %d x %d, side offset %d, bottom offset %d)." % (
        PICKER["top"], PICKER["left"], PICKER["width"], PICKER["height"], PICKER["side"],
        PICKER["bottom"]))
    a("- `¤REPORTSCREEN`: frames, labels and buttons in window coordinates; the five")
    a("  picture boxes relative to `picResBack` %s (so is `prEnlarge`)." % (RESULT_BACK,))
    a("  At 96 dpi the adjusted boxes put the pieces edge to edge around the centre of")
    a("  `picResBack`, where the result dimension lines expect them; the values as read")
    a("  (120 dpi) also join for types 2-4. Everything else targets 96 dpi.")
    a("- `¤DEPICTURE`: p5 and p6 are the painted width and height of the north and south")
    a("  pieces (east and west: p5 + 120 by p6), the centre piece is painted at its own")
    a("  size; 1195 plays no part. At 96 dpi the pieces then join around (4220, 4085).")
    a("- `¤ADMINSCREEN`: window coordinates; the editor frame of `¤EDITSCREEN` covers the")
    a("  data frame. Its eight numbers are: key row top, caption column 1 left, box column 1")
    a("  left, box width, caption column 2 left, box column 2 left, first box row top, row")
    a("  step (pairs 1/4, 2/7, 3/8, 5/9, 6/10 on one row each), relative to the frame.")
    a("")
    return "\n".join(L) + "\n"


# ======================================================================
# The whole tree
# ======================================================================

def encode_lines(lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def build_tree(progress=False):
    """Dictionary: path relative to sample/ -> bytes."""
    tree = {}
    param = tessaro_dat()
    article = vantordata_dat()
    tree["Tessaro/Tessaro.dat"] = encode_lines(param)
    tree["Tessaro/Vantordata.dat"] = encode_lines(article)
    for lang in LANGS:
        tree["Tessaro/Lang_%s.txt" % lang] = encode_lines(lang_file(lang, param, article))
        for name, per_lang in INFO_FILES.items():
            tree["Tessaro/%s_%s.txt" % (name, lang)] = encode_lines(per_lang[lang])
    for name, canvas in sorted(pictures().items()):
        tree["Tessaro/" + name] = gif.gif_bytes(canvas)
    tree["TeHtml/KelmorLogo_21.bmp"] = gif.bmp_bytes(logo_picture())
    tree["personal.ini"] = encode_lines(["[Personal]"] + ["%s=%s" % kv for kv in PERSONAL])
    tree["README.md"] = readme_text().encode("utf-8")
    return tree


def sample_dir():
    return os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "sample")


def write_tree(tree, root):
    os.makedirs(root, exist_ok=True)
    wanted = set(tree)
    for dirpath, _dirs, files in os.walk(root):
        for f in files:
            rel = os.path.relpath(os.path.join(dirpath, f), root).replace(os.sep, "/")
            if rel not in wanted:
                os.remove(os.path.join(dirpath, f))
    for rel, data in tree.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        old = None
        if os.path.exists(path):
            with open(path, "rb") as f:
                old = f.read()
        if old != data:
            with open(path, "wb") as f:
                f.write(data)


def list_tree(root):
    out = {}
    for dirpath, _dirs, files in os.walk(root):
        for f in files:
            p = os.path.join(dirpath, f)
            with open(p, "rb") as fh:
                out[os.path.relpath(p, root).replace(os.sep, "/")] = fh.read()
    return out


def check(root):
    with tempfile.TemporaryDirectory() as tmp:
        fresh_root = os.path.join(tmp, "sample")
        write_tree(build_tree(), fresh_root)
        fresh = list_tree(fresh_root)
    current = list_tree(root) if os.path.isdir(root) else {}
    differ = sorted(p for p in set(fresh) | set(current) if fresh.get(p) != current.get(p))
    for p in differ:
        state = "missing" if p not in current else ("extra" if p not in fresh else "differs")
        print("%s: %s" % (state, p))
    if differ:
        print("sample/ is out of date: run python3 tools/make_sample.py")
        return 1
    print("sample/ is up to date (%d files)" % len(fresh))
    return 0


# ======================================================================
# --selftest
# ======================================================================

class Problems:
    def __init__(self):
        self.items = []
        self.checks = 0

    def expect(self, ok, message):
        self.checks += 1
        if not ok:
            self.items.append(message)
        return ok


def rect_of(top, left, width, height):
    return (left, top, left + width, top + height)


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def inside(inner, outer, slack=0):
    return (inner[0] >= outer[0] - slack and inner[1] >= outer[1] - slack and
            inner[2] <= outer[2] + slack and inner[3] <= outer[3] + slack)


WINDOW = (0, 0, WINDOW_W, WINDOW_H)


def replay(reader, items, problems, where):
    """Read a value sequence the way its Part does and compare with the intent."""
    for item in items:
        if item[0] == "c":
            continue
        if item[0] == "n":
            got = reader.number()
            problems.expect(got == item[1], "%s: number %r read as %r" % (where, item[2], got))
        else:
            got = reader.text()
            want = item[1]
            if want.startswith("¤¤"):
                want = reader.install.translate(want)
            problems.expect(got == want, "%s: text %r read as %r" % (where, want, got))


def check_files(root, p):
    for dirpath, _dirs, files in os.walk(root):
        for f in files:
            path = os.path.join(dirpath, f)
            rel = os.path.relpath(path, root)
            if f.lower().endswith((".dat", ".txt", ".ini")):
                with open(path, "rb") as fh:
                    data = fh.read()
                try:
                    decode_text_file(data)
                    p.expect(True, "")
                except (UnicodeDecodeError, ValueError) as e:
                    p.expect(False, "%s: not Windows-1252 with CR LF (%s)" % (rel, e))


def check_numbers_in(lines, name, p):
    for line in lines:
        v = number_value(line)
        if v is not None and v != 0:
            p.expect(-32768 <= v <= 32767, "%s: number out of range: %r" % (name, line))


def check_choice_section(inst, key, p, number=True, col30=False, limit=30, col30_except=()):
    sec = inst.section(key)
    if not p.expect(sec is not None, "section %s missing" % key):
        return None
    title, lines = sec
    p.expect(0 < len(lines) <= limit, "%s: %d lines (limit %d)" % (key, len(lines), limit))
    letters = []
    for line in lines:
        k = line.split(" ")[0]
        p.expect(len(k) <= 18 and line[18:19] == " ", "%s: key too long in %r" % (key, line))
        letter = line[19:20]
        p.expect(re.fullmatch(r"[A-Z0-9]", letter) is not None,
                 "%s: bad letter in %r" % (key, line))
        p.expect(line[20:21] == " ", "%s: column 21 not blank in %r" % (key, line))
        if number:
            p.expect(re.fullmatch(r"\d{4}", line[21:25]) is not None,
                     "%s: columns 22-25 not a number in %r" % (key, line))
        if col30 and k not in col30_except:
            p.expect(line[29:30] == letter, "%s: column 30 is not the letter in %r" %
                     (key, line))
        if k in col30_except:
            p.expect(line[29:30] == col30_except[k] != letter,
                     "%s: column 30 of %r should be the mistyped %s" %
                     (key, line, col30_except[k]))
        p.expect(letter not in letters, "%s: letter %s twice" % (key, letter))
        letters.append(letter)
    return title, lines


def selftest(root):
    p = Problems()
    try:
        selftest_body(root, p)
    except (OSError, ValueError, IndexError, KeyError, TypeError) as e:
        p.expect(False, "reading stopped: %s: %s" % (type(e).__name__, e))
    for message in p.items:
        print("FAULT: " + message)
    print("%d checks, %d faults" % (p.checks, len(p.items)))
    return 1 if p.items else 0


def selftest_body(root, p):
    check_files(root, p)
    inst = Install(root)
    param = inst.file_lines("Tessaro.dat")
    check_numbers_in(param, "Tessaro.dat", p)
    art = inst.file_lines("Vantordata.dat")
    p.expect(art[0] == ARTICLE_HEAD_1 and art[1] == ARTICLE_HEAD_2 and art[-1] == "EOF" and
             art.count("EOF") == 1 and not art[0].startswith("¤") and
             not art[1].startswith("¤"), "article file head or end")
    key_line = None
    for i, line in enumerate(art):
        if line.startswith("¤") and not line.startswith("¤¤"):
            key_line = i
            p.expect(" " in line, "article key without a blank after it: %r" % line)
        elif line == "EOL" and key_line is not None:
            body = [l for l in art[key_line + 1:i] if l and l[0] not in " *"]
            p.expect(len(body) == 13, "record %r has %d lines, not title + 12 fields" %
                     (art[key_line], len(body)))
            key_line = None

    # head and valve page
    r = inst.reader("Tessaro.dat")
    head = inst.param_head(r)
    p.expect(head["ident"] == PARAM_IDENT, "identification %r" % head["ident"])
    p.expect(head["pass_code"] == ADMIN_PASS_CODE and len(head["pass_code"]) == 9,
             "pass code %r" % head["pass_code"])
    p.expect(head["suffix"] == CODE_SUFFIX, "suffix %r" % head["suffix"])
    replay(r, valve_page_items(), p, "valve page")
    for key, builder in VALUE_SECTIONS:
        r = inst.reader("Tessaro.dat")
        if p.expect(r.find("¤" + key), "section ¤%s missing" % key):
            replay(r, builder(), p, "¤" + key)

    # choice lists and their translations
    types, tags = inst.valve_types()
    p.expect(tags == OPTION_TAGS, "option tags %r" % tags)
    p.expect([t["letter"] for t in types] == [t["letter"] for t in TYPES], "type letters")
    titles = set()
    for t in TYPES:
        check_choice_section(inst, "¤DIM_" + t["key"], p)
        sec = check_choice_section(inst, "¤CONN_" + t["key"], p, number=False)
        if sec:
            titles.add(sec[0])
    for key, kind in cpd_sections():
        sec = check_choice_section(inst, "¤" + key, p, limit=20)
        if sec:
            titles.add(sec[0])
    for dn in all_dims():
        for ckey in conns_at(dn):
            key = "¤%s_%s" % (dim_key(dn), ckey)
            if (dn, ckey) in MISSING_MENUS:
                p.expect(inst.section(key) is None, "%s should be missing" % key)
                continue
            mistyped = dict((k, l) for (d, c, k), l in MISTYPED_COLUMN_30.items()
                            if (d, c) == (dn, ckey))
            sec = check_choice_section(inst, key, p, col30=True, col30_except=mistyped)
            if sec:
                titles.add(sec[0])
    for lang in LANGS:
        li = Install(root, lang)
        for title in sorted(titles):
            if lang == "NO" and not title.startswith("TILKOBLING"):
                continue
            src = None
            for line_no, line in enumerate(param):
                if line == title and param[line_no - 1].startswith("¤"):
                    src = line_no
                    break
            n_src = 0
            while src is not None and param[src + 1 + n_src] != "EOL":
                n_src += 1
            sec = li.lang_section("¤" + title)
            if p.expect(sec is not None, "Lang_%s: no list section ¤%s" % (lang, title)):
                p.expect(len(sec[1]) == n_src, "Lang_%s: ¤%s has %d lines, not %d" %
                         (lang, title, len(sec[1]), n_src))

    # option combinations and bottom letters
    for bits in ALL_BITS:
        key = "¤" + "_".join(tags_of(bits))
        p.expect(inst.code_letter(key) == bottom_letter(bits), "combination %s" % key)
        sec = inst.section("¤BOTTOM_" + bottom_letter(bits), title=False)
        if p.expect(sec is not None and len(sec[1]) >= 2, "¤BOTTOM_%s" % bottom_letter(bits)):
            line = sec[1][1]
            p.expect(line[0] == bottom_letter(bits) and
                     line[4:8] == "".join(str(b) for b in bits),
                     "¤BOTTOM_%s line 2 %r" % (bottom_letter(bits), line))

    # example codes, NRF numbers, reachable article keys
    for code, what in example_codes():
        pos, rec = inst.check_code(code)
        if p.expect(pos == 0, "example %s fails at position %d" % (code, pos)):
            for key in inst.article_keys(rec):
                count, fields = inst.article(key, lower=True)
                p.expect(count >= 12, "example %s: article %s missing" % (code, key))
        p.expect(not rec.get("messages"), "example %s: messages %r" % (code, rec.get("messages")))
    for code, want, why in invalid_examples():
        pos, _rec = inst.check_code(code)
        p.expect(pos == want, "invalid example %s gives %d, expected %d" % (code, pos, want))
    for idx, nrf in NRF_NUMBERS.items():
        code = example_codes()[idx][0]
        r = inst.reader("Tessaro.dat")
        p.expect(r.find("¤%s_NRF" % code) and r.text() == nrf, "NRF of %s" % code)

    # every part that some valid configuration reaches
    for t in TYPES:
        _title, dims = inst.section("¤DIM_" + t["key"])
        for dline in dims:
            mm = int(dline[21:25])
            dkey = dline.split(" ")[0]
            dn = "%04d" % mm
            count, cpd = inst.article("¤%s_%s_CPD" % (dn, t["key"]))
            if not p.expect(count >= 12, "missing ¤%s_%s_CPD" % (dn, t["key"])):
                continue
            codes = [cpd[10][5 * k - 5:5 * k - 1] for k in range(1, 5)]
            p.expect(all(len(c) == 4 for c in codes), "codes of ¤%s_%s_CPD" % (dn, t["key"]))
            for bits in ALL_BITS:
                for code in sorted(set(codes)):
                    key = "¤%s_%s_%s_VHK" % (dn, "_".join(tags_of(bits)), code)
                    count, rec = inst.article(key)
                    p.expect(count >= 12 and float(rec[8].split()[0]) >= 0.9,
                             "missing or light valve house %s" % key)
            p.expect(inst.article("¤%s_AKT" % dn)[0] >= 12, "missing ¤%s_AKT" % dn)
            wizard = inst.section("¤CPD_%s_%s" % (t["key"], dn))
            if wizard is None or not wizard[1]:
                wizard = inst.section("¤CPD_%s_+" % t["key"])
            typed = inst.section("¤CPD_%s_%s" % (t["key"], dn if mm <= 100 else "+"))
            p.expect(wizard == typed, "accessory sections of %s DN %d differ" % (t["key"], mm))
            if t["key"] != "ENKELVENTIL" and typed:
                for aline in typed[1]:
                    key = "¤%s_%s_BRV" % (dn, aline.split(" ")[0])
                    p.expect(inst.article(key)[0] >= 12, "missing %s" % key)
            _ct, conns = inst.section("¤CONN_" + t["key"])
            for cline in conns:
                ckey = cline.split(" ")[0]
                sec = inst.section("¤%s_%s" % (dkey, ckey))
                if (mm, ckey) in MISSING_MENUS:
                    continue
                if not p.expect(sec is not None and sec[1], "missing ¤%s_%s" % (dkey, ckey)):
                    continue
                for l in sec[1]:
                    key = "¤%s_%s_%s_TK" % (dn, ckey, l.split(" ")[0])
                    count, rec = inst.article(key, lower=True)
                    if key in MISSING_ARTICLES:
                        p.expect(count == 0, "%s should be missing" % key)
                        continue
                    if p.expect(count >= 12, "missing %s" % key):
                        length = number_value(rec[6].replace(",", ".", 1).split(" ")[0]) or 0
                        p.expect(length > 9.99, "%s: length %r not above 9.99" % (key, rec[6]))
                        p.expect(rec[5].lstrip("-").isdigit(), "%s: field 5 %r" % (key, rec[5]))

    # menu coverage check
    r = inst.reader("Tessaro.dat")
    entries = []
    for key in ("¤DIM_ENKELVENTIL", "¤DIM_VENTILKRYSS"):
        if not p.expect(r.find(key), "menu check: %s not found after the previous list" % key):
            break
        r.text()
        while not r.eof():
            t = r.text()
            if t.startswith("EOL"):
                break
            entries.append((t[:19].rstrip(), t[19:20], int(t[21:25])))
    p.expect(0 < len(entries) <= 40, "menu check: %d dimension entries" % len(entries))
    seen = {}
    total = 0
    findings = []
    for name, dch, mm in entries:
        for tname, tch in (("FLENS", "F"), ("FLENSSERVICE", "G")):
            sec = inst.section("¤%s_%s" % (name, tname))
            if sec is None:
                findings.append("  - ¤%s_%s not found" % (name, tname))
                continue
            for line in sec[1]:
                total += 1
                frag = dch + tch + line[29:30]
                key = "¤%04d_%s_%s_TK" % (mm, tname, line[:19].rstrip())
                first, first_key = seen.setdefault(frag, (total, key))
                if first_key != key:
                    findings.append("*** Kode er lik #%d    %s" % (first, first_key))
                if inst.article(key)[0] == 0:
                    findings.append("    Vantordata ikke funnet for" + key)
    p.expect(findings == MENU_CHECK_FINDINGS, "menu check finds %r" % findings)
    p.expect(total <= 200, "menu check: %d connections" % total)

    # language files
    param_keys = text_keys_of(param)
    article_keys = text_keys_of(inst.file_lines("Vantordata.dat"))
    for lang in LANGS:
        li = Install(root, lang)
        lines = li.lang_lines()
        check_numbers_in(lines, "Lang_%s.txt" % lang, p)
        r = li.reader("Lang_%s.txt" % lang)
        h = LANG_HEAD[lang]
        got = [r.text(), r.number(), r.text(), r.text(), r.text(), r.text(), r.text(),
               r.text(), r.text(), r.text()] + [r.text() for _ in range(10)] + \
              [r.text(), r.number(), r.number()]
        want = [h["caption"], 0, h["top"], h["exit"], h["back"], h["next"], h["frame"],
                h["tip"], h["unused"], h["unused"], h["acc_frame"], h["acc_label"],
                h["dim_frame"], h["dim_label"]] + list(h["slots"]) + \
               [h["conn_label"], h["cdim_label"], h["unused"], VALVE_BUTTON_LEFT, 4]
        p.expect(got == want, "Lang_%s head: %r" % (lang, got))
        p.expect([r.text() for _ in range(4)] == list(h["types"]), "Lang_%s types" % lang)
        if lang != "NO":
            for k in set(PROGRAM_TEXT_KEYS + param_keys + article_keys):
                p.expect(any(lines[i] == "¤¤" + k for i in range(len(lines) - 1)),
                         "Lang_%s: no translation of ¤¤%s" % (lang, k))
        for key in SINGLE_TEXT_KEYS:
            text = li.lang_text("¤" + key)
            p.expect("not found" not in text and text.strip() != "",
                     "Lang_%s: single text ¤%s" % (lang, key))
        dollar = False
        for key, _place, _text in help_panels(lang):
            r = li.reader("Lang_%s.txt" % lang)
            if not p.expect(r.find("¤%s_hlp" % key), "Lang_%s: help %s missing" % (lang, key)):
                continue
            top, left, width, height, margin = [r.number() for _ in range(5)]
            p.expect(inside(rect_of(top, left, width, height), WINDOW) and margin > 0,
                     "Lang_%s: help %s outside the window" % (lang, key))
            text = []
            while not r.eof():
                t = r.text()
                if t == "EOL":
                    break
                text.append(t)
            p.expect(text != [], "Lang_%s: help %s empty" % (lang, key))
            dollar = dollar or "$" in text
            if key.startswith("ConnSel1"):
                p.expect(any("$ConnSelectedText" in t for t in text),
                         "Lang_%s: %s lacks $ConnSelectedText" % (lang, key))
        p.expect(dollar, "Lang_%s: no blank line \"$\" in any help panel" % lang)
        if lang != "NO":
            for key, per_lang in ARTICLE_OVERRIDES.items():
                count, rec = li.article(key)
                p.expect(count >= 12 and rec[1:4] == per_lang[lang],
                         "Lang_%s: override of %s" % (lang, key))
        for name in INFO_FILES:
            lines_i = inst.file_lines("%s_%s.txt" % (name, lang))
            p.expect(lines_i and lines_i[0].strip(), "info file %s_%s" % (name, lang))

    # geometry
    check_geometry(p)

    # pictures
    check_pictures(root, inst, p)

    # personal.ini
    with open(os.path.join(root, "personal.ini"), "rb") as f:
        ini = decode_text_file(f.read())
    p.expect(ini[0] == "[Personal]" and
             [l.split("=")[0] for l in ini[1:]] == ["Customer", "Company", "InvoiceAddress",
                                                     "DeliveryAddress"] and
             all(l.split("=", 1)[1] for l in ini[1:]), "personal.ini %r" % ini)


def check_geometry(p):
    # start screen
    s = {i: item for i, item in enumerate([x for x in startscreen_items()], 1)}
    v = [x[1] for x in startscreen_items()]
    T_, X_, DX, FW, FH = v[1], v[2], v[3], v[4], v[5]
    flags = [rect_of(T_, X_ + 300 + k * DX, FW, FH) for k in range(3)] + \
            [rect_of(3 * T_, X_ + 300 + k * DX, FW, FH) for k in range(3)]
    head = rect_of(v[16], v[17] - 200, v[18] + 200, v[19])
    pic1 = rect_of(*v[6:10])
    pic2 = rect_of(*v[11:15])
    info1 = rect_of(*v[25:29])
    info2 = rect_of(*v[30:34])
    top_text = (0, 60, WINDOW_W, 360)
    shortcuts = (60, 60, 360, 1140)
    buttons = [rect_of(v[35], v[36], 1200, 375), rect_of(v[35], v[37], v[38], 375),
               rect_of(v[35], v[40], v[41], 375),
               rect_of(v[35], v[40] + v[41] + 200, 800, 500)]
    start = flags + [head, pic1, pic2, info1, info2, shortcuts] + buttons
    check_disjoint(p, "start screen", start)
    # valve page and connection page
    vp = [x[1] for x in valve_page_items() if x[0] == "n"]
    valve_frame = rect_of(*vp[3:7])
    option_frames = [rect_of(*vp[7 + 4 * g:11 + 4 * g]) for g in range(4)]
    dim_frame = rect_of(*vp[23:27])
    acc_frame = rect_of(*vp[27:31])
    row_top, exit_left, code_left, code_width = vp[31:35]
    row = [rect_of(row_top, exit_left, 1200, 375), rect_of(row_top, code_left - 200,
                                                          code_width + 400, 375),
           rect_of(row_top, int(0.75 * WINDOW_W), 1182, 375),
           rect_of(row_top, int(0.87 * WINDOW_W), 1200, 375)]
    debug_label = rect_of(9300, 120, 6000, 900)
    check_disjoint(p, "valve page", [valve_frame, dim_frame, acc_frame, top_text] +
                   option_frames + row + [debug_label, rect_of(*HELP_BAND[:4])])
    slots = [rect_of(*SLOT_FRAMES[k]) for k in ("top", "bottom", "right", "left")]
    big_frame = rect_of(VALVE_FRAME[0], VALVE_FRAME[1], VALVE_FRAME[2], VALVE_FRAME[2] + 150)
    conn_page = [big_frame, top_text] + slots + row
    check_disjoint(p, "connection page", conn_page)
    for place in (HELP_TOP_LEFT, HELP_TOP_RIGHT, HELP_BOTTOM_LEFT, HELP_BOTTOM_RIGHT):
        check_disjoint(p, "connection page help %s" % (place,), [rect_of(*place[:4]), big_frame]
                       + slots[:1] + row)
    pk = PICKER
    pickers = {"N": rect_of(pk["top"], pk["left"], pk["width"], pk["height"]),
               "S": rect_of(pk["top"] + pk["bottom"], pk["left"], pk["width"], pk["height"]),
               "E": rect_of(pk["top"] + pk["side"], pk["left"] + 2800, pk["width"], pk["height"]),
               "W": rect_of(pk["top"] + pk["side"], pk["left"] - 2800, pk["width"], pk["height"])}
    for slot, rect in pickers.items():
        p.expect(inside(rect, WINDOW) and not overlaps(rect, big_frame),
                 "picker %s %r overlaps the valve-type frame or leaves the window" % (slot, rect))
        for r in row:
            p.expect(not overlaps(rect, r), "picker %s overlaps the button row" % slot)
    p.expect(PICTURE_SIZE <= min(f[2] for f in SLOT_FRAMES.values()) - 300 and
             PICTURE_SIZE <= min(f[3] for f in SLOT_FRAMES.values()) - 300,
             "slot images do not fit their frames")
    # result screen
    rs = [x[1] for x in reportscreen_items() if x[0] == "n"]
    frame = rect_of(*rs[0:4])
    head1 = rect_of(*rs[4:8])
    copy = rect_of(*rs[8:12])
    info = rect_of(*rs[12:16])
    back = rect_of(*rs[16:20])
    btop = rs[20]
    rbuttons = [rect_of(btop, left, 1200, 375) for left in rs[21:25]]
    panel = rect_of(*rs[-5:-1])
    check_disjoint(p, "result screen", [head1, copy, info, back, panel, top_text] + rbuttons)
    for r in (head1, copy, info, back, panel):
        p.expect(inside(r, frame), "result screen: %r outside the result frame" % (r,))
    p.expect(inside(frame, WINDOW), "result frame outside the window")
    check_result_pieces(p)
    check_enlarged(p)
    # administration screen
    ad = [x[1] for x in adminscreen_items() if x[0] == "n"]
    settings = rect_of(*ad[0:4])
    data = rect_of(*ad[4:8])
    dbg = rect_of(*ad[8:12])
    dbg_label = rect_of(ad[12], ad[9] + ad[10] + 200, settings[2] - settings[0] - ad[10] - 500,
                        ad[13])
    rows = []
    for k in range(4):
        b = ad[14 + 7 * k:21 + 7 * k]
        rows += [rect_of(b[0], b[1], b[2], b[3]), rect_of(b[0], b[1] + b[2] + 200, 800, b[3]),
                 rect_of(b[4], b[5], 6700, b[6])]
    first, left, width, height, step = ad[42:47]
    data_buttons = [rect_of(first + k * step, left, width, height) for k in range(8)]
    record_list = rect_of(*ad[47:51])
    for r in [dbg, dbg_label] + rows:
        p.expect(inside(r, settings), "admin: %r outside the settings frame" % (r,))
    for r in data_buttons + [record_list]:
        p.expect(inside(r, data), "admin: %r outside the data frame" % (r,))
    check_disjoint(p, "admin screen", [dbg, dbg_label] + rows + data_buttons + [record_list])
    check_disjoint(p, "admin frames", [settings, data, top_text,
                                       rect_of(8900, 300, 1200, 375),
                                       rect_of(8900, 2000, 1200, 375)])
    ed = [x[1] for x in editscreen_items() if x[0] == "n"]
    editor = rect_of(*ed[0:4])
    p.expect(inside(editor, WINDOW), "editor outside the window")
    rows_bottom = ed[4 + 6] + 4 * ed[4 + 7] + 375
    p.expect(rows_bottom + 500 < ed[3], "editor rows do not fit the frame")
    p.expect(ed[4 + 5] + ed[4 + 3] < ed[2], "editor boxes wider than the frame")


def check_disjoint(p, where, rects):
    for i in range(len(rects)):
        p.expect(inside(rects[i], WINDOW), "%s: %r outside the window" % (where, rects[i]))
        for j in range(i + 1, len(rects)):
            p.expect(not overlaps(rects[i], rects[j]),
                     "%s: %r overlaps %r" % (where, rects[i], rects[j]))


def std_boxes(t):
    """The five result-screen boxes at 96 dpi for valve type t (1-4), adjusted as
    the program adjusts them, relative to picResBack."""
    crossish = t != 1
    ct, cl, cw, ch = RC_CENTRE[t - 1]
    centre = (int(round(cl * 0.8)), int(round(ct * 0.8)))
    centre = rect_of(int(round(ct * 0.8)), int(round(cl * 0.8)), cw + (20 if crossish else 0),
                     ch + (40 if crossish else 0))
    out = {"C": centre}
    for name, table, extra in (("N", RC_NORTH, 150), ("S", RC_SOUTH, 200)):
        a, b = RC_OFFSETS[name]
        top, left, w, h = table[t - 1]
        top -= a
        if crossish:
            top += extra
            left -= b
        out[name] = rect_of(top, left, w, h)
    for name, table in (("E", RC_EAST), ("W", RC_WEST)):
        a, b = RC_OFFSETS[name]
        top, left, w, h = table[t - 1]
        out[name] = rect_of(top - a, left - b, w, h)
    return out


def raw_boxes(t):
    """The same boxes as read (120 dpi), sized by the pictures at 12 twips a pixel."""
    out = {}
    for name, table in (("C", RC_CENTRE), ("N", RC_NORTH), ("S", RC_SOUTH), ("E", RC_EAST),
                        ("W", RC_WEST)):
        top, left, _w, _h = table[t - 1]
        if name == "C":
            pic = centre_piece(TYPES[t - 1]["key"])
            out[name] = rect_of(top, left, pic.width * 12, pic.height * 12)
        else:
            out[name] = rect_of(top, left, 720, 720)
    return out


def check_result_pieces(p):
    bw, bh = RESULT_BACK[2], RESULT_BACK[3]
    back = (0, 0, bw, bh)
    for t in range(1, 5):
        boxes = std_boxes(t)
        c = boxes["C"]
        pic = centre_piece(TYPES[t - 1]["key"])
        p.expect((c[2] - c[0], c[3] - c[1]) == (pic.width * 15, pic.height * 15),
                 "type %d: centre box %r does not match its picture" % (t, c))
        cx, cy = int(round(bw / 2.0)), int(round(bh / 2.0 + (100 if t == 1 else 10))) - 400
        p.expect(abs((c[0] + c[2]) / 2.0 - cx) <= 15 and abs((c[1] + c[3]) / 2.0 - cy) <= 15,
                 "type %d: centre piece not at the dimension centre" % t)
        n, s = boxes["N"], boxes["S"]
        p.expect(n[3] == c[1] and s[1] == c[3], "type %d: north/south pieces do not join" % t)
        p.expect((n[0] + n[2]) // 2 == (c[0] + c[2]) // 2, "type %d: north piece off centre" % t)
        shown = ["C", "N", "S"] + (["E"] if t != 1 else []) + (["W"] if t in (3, 4) else [])
        if t in (2, 3):
            e = boxes["E"]
            p.expect(e[0] == c[2] and (e[1] + e[3]) // 2 == (c[1] + c[3]) // 2,
                     "type %d: east piece does not join" % t)
        if t == 3:
            w = boxes["W"]
            p.expect(w[2] == c[0], "type 3: west piece does not join")
        for k in shown:
            p.expect(inside(boxes[k], back), "type %d: %s box leaves picResBack" % (t, k))
        if t != 1:
            raw = raw_boxes(t)
            rc = raw["C"]
            p.expect(raw["N"][3] == rc[1] and raw["S"][1] == rc[3] and
                     raw["E"][0] == rc[2] and (t != 3 or raw["W"][2] == rc[0]) and
                     (raw["N"][0] + raw["N"][2]) // 2 == (rc[0] + rc[2]) // 2 and
                     (raw["E"][1] + raw["E"][3]) // 2 == (rc[1] + rc[3]) // 2,
                     "type %d: pieces do not join at 120 dpi" % t)
        # the vertical dimension line and its ticks stay clear of the pieces
        h, o = (250, 900) if t == 1 else (970, 1450)
        line_x = cx + o + 100 + 350
        ticks = rect_of(cy - h - 450, cx + o, 500, 100)
        for k in shown:
            r = boxes[k]
            if r[2] > r[0] and r[3] > r[1]:
                p.expect(not (r[0] <= line_x < r[2] and r[1] < cy + h + 900 and
                              r[3] > cy - h - 900), "type %d: dimension line crosses %s" % (t, k))
                p.expect(not overlaps(ticks, r), "type %d: tick crosses %s" % (t, k))


def check_enlarged(p):
    o = DEPICTURE_OFFSETS
    p5, p6, p7 = DEPICTURE_P567
    for t in range(1, 5):
        oo = o if t != 1 else [0] * 6 + o[6:]
        c = 10 if t != 1 else 0
        cx, cy = DEPICTURE_CENTRE[t - 1]
        nx, ny = DEPICTURE_NORTH[t - 1]
        pic = centre_piece(TYPES[t - 1]["key"])
        W, H = pic.width * 15, pic.height * 15
        x = 3000 - (cx + oo[3])
        y = 3000 - (cy + c + oo[0] + oo[1])
        centre = (x, y, x + W, y + H)
        want = (4220, 4085 if t != 1 else 2995)
        p.expect(abs(x + W / 2.0 - want[0]) <= 15 and abs(y + H / 2.0 - want[1]) <= 15,
                 "enlarged type %d: centre piece at %r" % (t, centre))
        nh = p6 - 10 if t != 1 else p6
        north = (3000 - nx, 3000 - (oo[4] + ny + oo[1]))
        p.expect(abs(north[1] + nh - centre[1]) <= 15 and
                 abs(north[0] + p5 / 2.0 - (x + W / 2.0)) <= 15,
                 "enlarged type %d: north piece at %r" % (t, north))
        s = p6 if t != 1 else p6 - 20
        south_y = 3000 + (ny - s + oo[5] + oo[1])
        p.expect(abs(south_y - centre[3]) <= 30, "enlarged type %d: south piece at %r" %
                 (t, south_y))
        if t in (2, 3):
            east_x = 3000 + (o[6] + 1930 + oo[1] - oo[2])
            p.expect(abs(east_x - centre[2]) <= 15 and abs(3000 - p7 + p6 / 2.0 - want[1]) <= 15,
                     "enlarged type %d: east piece at %r" % (t, east_x))
        if t == 3:
            west_x = 3000 - (o[7] + 4310 + oo[1] - oo[2])
            p.expect(abs(west_x + p5 + 120 - centre[0]) <= 15,
                     "enlarged type 3: west piece at %r" % west_x)
    p.expect(CANVAS[2] // 15 * 15 == CANVAS[2] and inside(rect_of(*CANVAS), WINDOW),
             "canvas size")


def check_pictures(root, inst, p):
    data = os.path.join(root, "Tessaro")
    names = {n.lower(): n for n in os.listdir(data)}

    def find(name):
        """FindPicture without the size suffix: first file name + '.' + any extension."""
        hits = sorted(n for n in names if n.startswith(name.lower() + ".") and
                      "." not in n[len(name) + 1:])
        return names[hits[0]] if hits else None

    sizes = {}
    for lower, real in names.items():
        if lower.endswith(".gif"):
            with open(os.path.join(data, real), "rb") as f:
                blob = f.read()
            try:
                w, h, _px = gif.gif_decode(blob)
                sizes[lower] = (w, h)
                p.expect(True, "")
            except ValueError as e:
                p.expect(False, "%s does not decode: %s" % (real, e))
    with open(os.path.join(root, "TeHtml", "KelmorLogo_21.bmp"), "rb") as f:
        try:
            gif.bmp_decode(f.read())
        except ValueError as e:
            p.expect(False, "logo: %s" % e)
    need = ["%s_flag" % c.lower() for c in LANGS] + ["StartPic1", "StartPic2", "Dummy_C",
                                                     "EnlargePic", "ExitPic", "ClearText",
                                                     "VerticalLine", "HorisontalLine1",
                                                     "HorisontalLine2", "Reference1000x1000"]
    need += ["ConnectionStart_" + c for c in LANGS]
    need += ["DUMMY_" + s for s in "NESW"] + ["Dummy_R" + s for s in "NESW"]
    for t in TYPES:
        need += [t["key"], t["key"] + "_RC", t["key"] + "_EC"]
    for conn, _l, _d in CONNECTIONS:
        for slot in "NESW":
            need.append("%s_%s" % (conn, slot))
            need += ["%s_%s_%s" % (conn, rel, slot) for rel in "LEG"]
    for name in need:
        p.expect(find(name) is not None, "picture %s missing" % name)
    p.expect(sizes.get("reference1000x1000.gif") == (1000, 1000), "reference picture size")
    p.expect(os.path.getsize(os.path.join(data, names["reference1000x1000.gif"])) < 8192,
             "reference picture is not small")
    p.expect(find("no_flag_26") is not None, "no resolution variant")
    exact = missing = 0
    for dn in all_dims():
        for conn in conns_at(dn):
            for _k, _l, mm in conn_dims(dn, conn):
                if find("%s_%04d_N" % (conn, mm)):
                    exact += 1
                else:
                    missing += 1
                    p.expect(find("%s_%s_N" % (conn, compare_dimensions(dn, mm))) is not None,
                             "no fallback for %s %d at DN %d" % (conn, mm, dn))
    p.expect(exact > 0 and missing > 0, "both picture names should be in use")
    total = sum(os.path.getsize(os.path.join(dp, f)) for dp, _d, fs in os.walk(root)
                for f in fs)
    p.expect(total < 3 * 1024 * 1024, "sample is %d bytes" % total)


# ======================================================================

def main(argv):
    args = argv[1:]
    root = sample_dir()
    if "--root" in args:                 # another installation tree (for trying faults)
        root = os.path.abspath(args[args.index("--root") + 1])
    if "--check" in args:
        return check(root)
    if "--selftest" in args:
        return selftest(root)
    tree = build_tree()
    write_tree(tree, root)
    print("wrote %d files to %s" % (len(tree), root))
    if "--png" in args:
        out = args[args.index("--png") + 1]
        os.makedirs(out, exist_ok=True)
        for rel, data in tree.items():
            if rel.endswith(".gif"):
                w, h, px = gif.gif_decode(data)
            elif rel.endswith(".bmp"):
                w, h, px = gif.bmp_decode(data)
            else:
                continue
            with open(os.path.join(out, os.path.basename(rel)[:-4] + ".png"), "wb") as f:
                f.write(gif.png_bytes(w, h, px))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
