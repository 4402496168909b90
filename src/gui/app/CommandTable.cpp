#include "CommandTable.h"

#include <stdexcept>

namespace {

using K = QKeySequence;

std::vector<CommandInfo> buildTable()
{
    // Commands whose behaviour does not exist yet are listed with available = false; the
    // README's "Not yet available" section names them.
    return {
        {CommandId::FileOpenWave, "&Wavefile öffnen...\tStrg+O", "Liest eine Wavedatei ein.\nWave öffnen",
         {K(Qt::CTRL | Qt::Key_O)}, true},
        {CommandId::FileOpenSeries, "&Zeitreihe öffnen...\tStrg+Z",
         "Liest ein zweispaltiges Zeitreihenfile ein.\nZeitreihe öffnen", {}, true},
        {CommandId::FileSaveWindow, "Fenster speichern...\tStrg+S",
         "Speichert das aktive Fenster in ein Metafile\nSpeichern als Grafik", {K(Qt::CTRL | Qt::Key_S)}, true},
        {CommandId::FilePrint, "&Drucken...\tStrg+P", "Druckt das aktive Dokument.\nDrucken",
         {K(Qt::CTRL | Qt::Key_P)}, true},
        {CommandId::FilePrintPreview, "Sei&tenansicht", "Zeigt ganze Seiten an.\nSeitenansicht", {}, true},
        {CommandId::FilePrintSetup, "Drucker&einrichtung...",
         "Ändert den Drucker und die Druckoptionen.\nDruckereinrichtung", {}, true},
        {CommandId::AppExit, "&Beenden",
         "Verläßt die Anwendung; fragt, ob Dokumente gespeichert werden sollen.\nBeenden", {}, true},
        {CommandId::EditCopy, "&Kopieren\tStrg+C",
         "Kopiert die Markierung und überträgt sie in die Zwischenablage.\nKopieren",
         {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}, true},
        {CommandId::EditClearCaptures, "Alle Captures löschen",
         "Alle eingelesenen Informationen löschen. Betrifft: Zeitreihen und Waves\nArrays löschen", {}, true},
        {CommandId::ViewToolbar, "&Symbolleiste",
         "Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein-/ausschalten", {}, true},
        {CommandId::ViewStatusBar, "S&tatusleiste",
         "Blendet die Statusleiste ein oder aus.\nStatusleiste ein-/ausschalten", {}, true},
        {CommandId::ViewZeitreihe, "&Zeitreihe",
         "Blendet ein Fenster für die Zeitreihendarstellung ein.\nZeitreihe/Autokorrelation", {}, true},
        {CommandId::ViewFFT, "&FFT", "Blendet ein Fenster der entsprechenden FFT ein.\nFFT", {}, true},
        {CommandId::View3DFFT, "3D FFT", "Blendet ein Fenster mit einer 3D FFT Darstellung ein.\n3D FFT", {}, true},
        {CommandId::ViewNotenbild, "&Notenbild",
         "Blendet ein Fenster für die Obertonanalyse ein.\nObertöne/Notenbild", {}, true},
        {CommandId::ViewSono, "Sono&gramm", "Blendet ein Fenster mit Sonogrammdarstellung ein.\nSonogramm", {},
         true},
        {CommandId::ViewReko, "&3D Rekonstruktion",
         "Blendet ein DirectX 3D Rekonstruktionsfenster ein.\nRekonstruktion", {}, true},
        {CommandId::ViewAnalyse, "&Zeitreihenanalyse", "Blendet ein Zeitreihenanalysefenster ein.\nZeitreihenanalyse",
         {}, true},
        {CommandId::ViewWavelet, "&Wavelet", "Blendet ein Fenster mit Waveletdarstellung ein.\nWaveletanalyse", {},
         true},
        {CommandId::DataListen, "Audioeingang abhören", "", {}, true},
        {CommandId::ToolListen, "Audioeingang", "Audioeingang abhören\nAudioeingang", {}, true},
        {CommandId::ProfileSelect, "&Profil auswählen", "Vordefiniertes oder benutzerdefiniertes Programmprofil laden",
         {}, true},
        {CommandId::ProfileSave, "Profil speichern", "Jetzige Konfiguration als benutzerdefiniertes Profil speichern.",
         {}, true},
        {CommandId::SoundCard, "&Soundkarte", "Soundkarteninterfaces auswählen. (WDM-Treiber)\nSoundkarte wählen",
         {K(Qt::Key_F10)}, true},
        {CommandId::WaveFormat, "&Waveformat", "Waveformat für Capturing einstellen.\nWaveformat", {K(Qt::Key_F11)},
         true},
        {CommandId::FFTSettings, "&FFT", "Einstellungen des FFT Fensters vornehmen\nFFT Größe", {}, true},
        {CommandId::WindowCascade, "Über&lappend", "Ordnet die Fenster überlappend an.\nÜberlappende Fenster", {},
         true},
        {CommandId::WindowTile, "&Nebeneinander", "Ordnet die Fenster nebeneinander an.\nFenster nebeneinander", {},
         true},
        {CommandId::WindowArrange, "&Symbole anordnen",
         "Ordnet die Symbole im unteren Bereich des Fensters an.\nSymbole anordnen", {}, true},
        {CommandId::HelpFinder, "Resoni Hilfe\tF1", "Zeigt die HTML Hilfe von Resoni an.\nHilfe", {K(Qt::Key_F1)},
         true},
        {CommandId::HelpIndex, "Resoni Hilfeindex", "Zeigt den Hilfeindex von Resoni an.\nHilfeindex", {}, true},
        {CommandId::AppAbout, "Inf&o über Resoni...",
         "Zeigt Programm-Informationen, Versionsnummer und Copyright an.\nInfo", {}, true},
        {CommandId::Record, "Aufnahme", "Aufnahme in Wavefile starten\nAufnahme", {}, true},
        {CommandId::RecordStop, "Aufnahme Stop", "Aufnahme in Wavefile beenden\nAufnahme Stop", {}, true},
        {CommandId::PlayWave, "Play Wave", "Eingelesenes Wavefile abspielen\nPlay Wave", {}, true},
        {CommandId::LoopPlay, "Loop Playing", "Spielt das Wavefile immer wieder von vorne\nLoop Playing", {}, true},
        {CommandId::StopPlay, "Stop Playing", "Abspielen des eingelesenen Wavefiles stoppen\nStop Playing", {}, true},
        {CommandId::RemoveWave, "Wave entfernen", "Entfernt das eingelesene Wavefile aus dem Programm.\nWave entfernen",
         {}, true},
        {CommandId::Mixer, "Mixer", "Blendet den Standard Windows Soundmixer ein.\nMixer", {}, true},
        {CommandId::Abort, "Abbruch", "", {K(Qt::Key_Escape)}, true},
        {CommandId::EditPaste, "Einfügen", "", {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}, false},
        {CommandId::EditCut, "Ausschneiden", "", {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)}, false},
        {CommandId::EditUndo, "Rückgängig", "", {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)}, false},
        {CommandId::KeyHelp3D, "Tastenhilfe", "", {K(Qt::CTRL | Qt::Key_F1)}, true},
        {CommandId::Device3D, "Einstellungen der Grafikkarte", "", {K(Qt::Key_F2)}, true},
        {CommandId::SaveSonoPicture, "Sonogramm speichern", "", {K(Qt::Key_F3)}, true},
        {CommandId::SaveFFTPicture, "FFT speichern", "", {K(Qt::Key_F4)}, true},
        {CommandId::SaveRekoPicture, "Rekonstruktion speichern", "", {K(Qt::Key_F5)}, true},
        {CommandId::NextPane, "Nächster Ausschnitt", "", {K(Qt::Key_F6)}, true},
        {CommandId::PrevPane, "Vorheriger Ausschnitt", "", {K(Qt::SHIFT | Qt::Key_F6)}, true},
    };
}

MenuItem cmd(CommandId id)
{
    return {false, id};
}

const MenuItem kSep{true, CommandId::AppExit};

} // namespace

const std::vector<CommandInfo>& commandTable()
{
    static const std::vector<CommandInfo> table = buildTable();
    return table;
}

const CommandInfo& commandInfo(CommandId id)
{
    for (const CommandInfo& c : commandTable())
        if (c.id == id)
            return c;
    throw std::logic_error("command missing from the table");
}

QString commandStatusTip(const CommandInfo& c)
{
    return QString::fromUtf8(c.prompt).section(QLatin1Char('\n'), 0, 0);
}

QString commandToolTip(const CommandInfo& c)
{
    const QString prompt = QString::fromUtf8(c.prompt);
    const int nl = prompt.indexOf(QLatin1Char('\n'));
    if (nl >= 0)
        return prompt.mid(nl + 1);
    QString text = QString::fromUtf8(c.text).section(QLatin1Char('\t'), 0, 0);
    return text.remove(QLatin1Char('&'));
}

const std::vector<MenuSpec>& menuBarWithoutDocument()
{
    static const std::vector<MenuSpec> menus = {
        {"&Datei", {cmd(CommandId::FilePrintSetup), kSep, cmd(CommandId::AppExit)}},
        {"&Ansicht", {cmd(CommandId::ViewToolbar), cmd(CommandId::ViewStatusBar)}},
        {"&?", {cmd(CommandId::HelpFinder), cmd(CommandId::HelpIndex), kSep, cmd(CommandId::AppAbout)}},
    };
    return menus;
}

const std::vector<MenuSpec>& menuBarWithDocument()
{
    static const std::vector<MenuSpec> menus = {
        {"&Datei",
         {cmd(CommandId::FileOpenWave), cmd(CommandId::FileOpenSeries), cmd(CommandId::FileSaveWindow), kSep,
          cmd(CommandId::FilePrint), cmd(CommandId::FilePrintPreview), cmd(CommandId::FilePrintSetup), kSep,
          cmd(CommandId::AppExit)}},
        {"&Bearbeiten", {cmd(CommandId::EditCopy), kSep, cmd(CommandId::EditClearCaptures)}},
        {"&Ansicht",
         {cmd(CommandId::ViewToolbar), cmd(CommandId::ViewStatusBar), kSep, cmd(CommandId::ViewZeitreihe),
          cmd(CommandId::ViewFFT), cmd(CommandId::View3DFFT), cmd(CommandId::ViewNotenbild),
          cmd(CommandId::ViewSono), cmd(CommandId::ViewReko), cmd(CommandId::ViewAnalyse),
          cmd(CommandId::ViewWavelet)}},
        {"Da&ten", {cmd(CommandId::DataListen)}},
        {"&Einstellungen",
         {cmd(CommandId::ProfileSelect), cmd(CommandId::ProfileSave), kSep, cmd(CommandId::SoundCard),
          cmd(CommandId::WaveFormat), cmd(CommandId::FFTSettings)}},
        {"&Fenster", {cmd(CommandId::WindowCascade), cmd(CommandId::WindowTile), cmd(CommandId::WindowArrange)}},
        {"&?", {cmd(CommandId::HelpFinder), cmd(CommandId::HelpIndex), kSep, cmd(CommandId::AppAbout)}},
    };
    return menus;
}

const std::vector<MenuItem>& toolbarLayout()
{
    static const std::vector<MenuItem> items = {
        cmd(CommandId::FileOpenWave), cmd(CommandId::FileOpenSeries), cmd(CommandId::FileSaveWindow), kSep,
        cmd(CommandId::EditCopy), kSep,
        cmd(CommandId::FilePrint), kSep,
        cmd(CommandId::Record), cmd(CommandId::RecordStop), kSep,
        cmd(CommandId::PlayWave), cmd(CommandId::LoopPlay), cmd(CommandId::StopPlay), cmd(CommandId::RemoveWave), kSep,
        cmd(CommandId::FFTSettings), cmd(CommandId::WaveFormat), cmd(CommandId::ToolListen), kSep,
        cmd(CommandId::Mixer), kSep,
        cmd(CommandId::ViewZeitreihe), cmd(CommandId::ViewFFT), cmd(CommandId::View3DFFT),
        cmd(CommandId::ViewNotenbild), cmd(CommandId::ViewSono), cmd(CommandId::ViewWavelet),
        cmd(CommandId::ViewReko), cmd(CommandId::ViewAnalyse), kSep,
        cmd(CommandId::HelpFinder),
    };
    return items;
}
