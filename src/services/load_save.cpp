#include "services/load_save.h"

#include "persistence/atomic_file.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"

#include <new>

namespace rh {

namespace {

enum class ReadOutcome { Parsed, NotParsed, Failed };

// Reads and parses a file; reports a parse failure (parse report) or a run-time error (the
// "Load Document" message) itself.
ReadOutcome readDocument(Session& s, const std::string& path, XmlDocument& doc) {
    try {
        std::string text = ReadDataFile(path);
        ParseError error;
        if (doc.parse(text, &error))
            return ReadOutcome::Parsed;
        showParseReport(s.prompt(), error);
        return ReadOutcome::NotParsed;
    } catch (const RhError& e) {
        s.ShowErrorMsg(kLoadDocumentTitle, e);
    } catch (const std::bad_alloc&) {
        s.ShowErrorMsg(kLoadDocumentTitle, RhError(err::OutOfMemory));
    }
    return ReadOutcome::Failed;
}

bool loadParsed(Session& s, const XmlDocument& doc) {
    try {
        showAll(s.prompt(), readTournament(doc, s.state()));
    } catch (const std::bad_alloc&) {
        s.ShowErrorMsg(kLoadDocumentTitle, RhError(err::OutOfMemory));
        return false;
    }
    showMessage(s.prompt(), kFileLoadTitle, kLoadedText, MsgIcon::Information);
    return true;
}

bool precheck(Session& s, const std::string& path, XmlDocument& doc) {
    if (readDocument(s, path, doc) != ReadOutcome::Parsed)
        return false;
    ProcessTournamentInfo(doc, s.tourney());
    return true;
}

} // namespace

std::string exitQuestionText() {
    return "A tournament is in progress.\r\n"
           "If you press Ok, you will lose your data\r\n"
           "Press Cancel to resume with your existing data\r\n"
           "You can SAVE your existing tournament by going to ADMIN | SETUP";
}

std::string recoveryQuestionText() {
    return "A Recovery File Exists\r\n"
           "Would you like to load from the Recovery file?\r\n"
           "Press Yes to load from Recovery File\r\n"
           "Press No to load from Original File";
}

namespace {
bool askExit(Session& s) {
    return ask(s.prompt(), kExitTitle, exitQuestionText(), MsgButtons::OkCancel,
               MsgIcon::Exclamation) == MsgAnswer::Ok;
}
} // namespace

bool confirmDiscard(Session& s) {
    return !s.dataFileLoaded || askExit(s);
}

bool confirmExit(Session& s) {
    return !(s.dataFileLoaded && !s.dataFileSaved) || askExit(s);
}

bool ResetAndLoad(Session& s, const std::string& path) {
    s.InitVariables();
    s.ResetTournamentData();
    bool loaded = path.empty() ? OpenTournamentFile(s) : LoadDocument(s, path);
    if (loaded) {
        s.dataFileLoaded = true;
        s.dataFileSaved = false;
        if (!path.empty())
            s.openDialogFile = path;
        // Saving offers the tournament just loaded, not the file the previous one was saved to.
        s.saveDialogFile.clear();
    } else {
        // A failed load leaves the empty tournament, not what the pre-check read.
        s.ResetTournamentData();
    }
    s.htmlExportFile = s.htmlFileName();
    return loaded;
}

bool OpenTournamentFile(Session& s) {
    FileDialogSpec dialogSpec;
    dialogSpec.filter = kOpenFilter;
    dialogSpec.initialPath = s.openDialogFile;
    std::string chosen = s.prompt().chooseOpenFile(dialogSpec);
    if (chosen.empty())
        return false;
    s.openDialogFile = chosen;
    return LoadDocument(s, chosen);
}

bool PrecheckDocument(Session& s, const std::string& path) {
    XmlDocument doc;
    return precheck(s, path, doc);
}

bool LoadDocument(Session& s, const std::string& path) {
    XmlDocument doc;
    if (!precheck(s, path, doc))
        return false;
    std::string rcv = GetRcvFileName(s);
    if (PathExists(rcv) && ask(s.prompt(), kRecoveryTitle, recoveryQuestionText(),
                               MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes)
        return LoadXMLDocument(s, rcv);
    // The chosen file was parsed a moment ago; its tree is read as it stands.
    return loadParsed(s, doc);
}

bool LoadXMLDocument(Session& s, const std::string& path) {
    XmlDocument doc;
    if (readDocument(s, path, doc) != ReadOutcome::Parsed)
        return false;
    return loadParsed(s, doc);
}

bool cmdSave(Session& s) {
    FileDialogSpec dialogSpec;
    dialogSpec.title = kSaveTitle;
    dialogSpec.filter = kSaveFilter;
    dialogSpec.defaultExtension = "QMC";
    dialogSpec.confirmOverwrite = true;
    dialogSpec.pathMustExist = true;
    if (s.saveDialogFile.empty())
        s.saveDialogFile = s.openDialogFile;
    dialogSpec.initialPath = s.saveDialogFile;
    std::string path = s.prompt().chooseSaveFile(dialogSpec);
    if (path.empty())
        return false;
    s.saveDialogFile = path;
    return SaveTournament(s, path);
}

bool SaveTournament(Session& s, const std::string& path) {
    if (!CreateSaveDoc(s.state(), s.prompt(), path, true))
        return false;
    s.dataFileSaved = true;
    std::string rcv = GetRcvFileName(s);
    try {
        if (PathExists(rcv))
            removeFile(rcv);
    } catch (const RhError& e) {
        s.ShowErrorMsg("cmdSave", e);
    }
    return true;
}

bool SaveData(Session& s, bool showMessage) {
    std::string tmp = GetTmpFileName(s);
    std::string rcv = GetRcvFileName(s);
    if (!CreateSaveDoc(s.state(), s.prompt(), tmp, showMessage))
        return false;
    try {
        // The rename replaces the old recovery copy in one step: there is never a moment
        // without one.
        renameFile(tmp, rcv);
        return true;
    } catch (const RhError& e) {
        s.ShowErrorMsg("SaveData", e);
    }
    try {
        removeFile(tmp);
    } catch (const RhError&) {
        // Nothing more to tell: the next recovery save overwrites it.
    }
    return false;
}

std::string GetSaveBaseName(const Session& s) {
    return GetTempDir() + "/Rankhall_" + safeFileComponent(s.tourney().TourneyCode());
}

std::string GetTmpFileName(const Session& s) {
    return GetSaveBaseName(s) + ".TMP";
}

std::string GetRcvFileName(const Session& s) {
    return GetSaveBaseName(s) + ".RCV";
}

} // namespace rh
