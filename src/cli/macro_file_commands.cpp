// Macro files: the command's FILE is what the page's file dialog would
// answer, and the page's import and export operations do the rest. A file
// to import is checked before start-up: there, read, well-formed, root
// "macro" (the import would silently do nothing otherwise).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/unicode.h"
#include "cli/macro_commands.h"
#include "cli/run_streams.h"
#include "macros/macro_names.h"
#include "macros/macro_operations.h"
#include "xml/xml_text_document.h"

namespace tessaly::cli {
namespace {

namespace fs = std::filesystem;

std::u16string DialogPath(const std::string& file) {
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(file), error);
    return FromUtf8(error ? file : absolute.string());
}

std::string CheckReadableMacroFile(const std::string& file, bool collection) {
    std::error_code error;
    if (!fs::exists(fs::path(file), error))
        return file + " does not exist";
    if (!fs::is_regular_file(fs::path(file), error))
        return file + " is not a file";
    if (!std::ifstream(file, std::ios::binary))
        return file + " cannot be read";
    XmlTextDocument doc;
    if (!doc.LoadFile(FromUtf8(file)) || !doc.IsWellFormed())
        return file + " is not a well-formed XML file";
    if (!doc.FindElement(u"macro") || !doc.EnterElement())
        return file + " is not a macro file (its root is not \"macro\")";
    if (collection && !doc.FindElement(u"macro_item"))
        return file + " holds no macro of the all-macros format (no \"macro_item\")";
    return {};
}

std::string CheckWritableFile(const std::string& file) {
    const fs::path path(file);
    std::error_code error;
    if (fs::is_directory(path, error))
        return file + " is a folder";
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error))
        return "the folder " + folder.string() + " does not exist";
    return {};
}

// The page tells nothing of the values it refused; the import's counts do.
void ReportRefusedValues(const std::string& file, const MacroValueCounts& counts) {
    if (counts.refused > 0) {
        SayError(std::to_string(counts.refused) + " of the " + std::to_string(counts.values) +
                 " values in " + file + " were out of range and refused");
    }
    if (counts.clamped > 0) {
        SayError(std::to_string(counts.clamped) + " delays in " + file +
                 " were brought into 1-31000 ms");
    }
}

int Import(CommandContext& context, MacroFileFormat format) {
    if (!PageFilled(context))
        return kExitFailure;
    const MacroFileImport imported =
        ImportMacros(*MacroHostFor(context), DialogPath(context.args[0]), format);
    if (imported.counts.AllRefused()) {
        context.error =
            "every value in " + context.args[0] + " is out of range; nothing was imported";
        return kExitFailure;
    }
    ReportRefusedValues(context.args[0], imported.counts);
    if (!imported.ok) {
        context.error = "the store took no macro from " + context.args[0];
        return kExitFailure;
    }
    OutputValue rows = OutputValue::MakeArray();
    // Named as the list shows an imported macro until the next refill.
    for (const MacroInfo& macro : imported.macros)
        rows.Append(MacroRow(macro, macro.name));
    context.out.Set("imported", std::move(rows));
    return kExitOk;
}

int RunImport(CommandContext& context) {
    return Import(context, MacroFileFormat::kOne);
}

int RunImportAll(CommandContext& context) {
    return Import(context, MacroFileFormat::kAll);
}

int Written(CommandContext& context, const MacroChange& change, const std::string& file) {
    if (!change.ok) {
        context.error = file + " could not be written";
        return kExitFailure;
    }
    context.out.Set("file", ToUtf8(DialogPath(file)));
    return kExitOk;
}

int RunExport(CommandContext& context) {
    MacroInfo macro;
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    const std::string& file = context.args[1];
    // Under the name the list shows, in the run's language.
    const MacroChange change =
        ExportOneMacro(macro.macro_id, DialogPath(file), ShownMacroName(macro.name));
    context.out.Set("macro", macro.macro_id);
    return Written(context, change, file);
}

int RunExportAll(CommandContext& context) {
    if (!PageFilled(context))
        return kExitFailure;
    const std::string& file = context.args[0];
    const MacroChange change = ExportAllMacros(DialogPath(file));
    if (change.reason == MacroRefusal::kNoMacro) {
        context.error = "there is no macro to export";
        return kExitUsage;
    }
    context.out.Set("macros", static_cast<int>(ListMacroEntries().size()));
    return Written(context, change, file);
}

std::string CheckImport(const std::vector<std::string>& args) {
    return CheckReadableMacroFile(args[0], false);
}

std::string CheckImportAll(const std::vector<std::string>& args) {
    return CheckReadableMacroFile(args[0], true);
}

std::string CheckExport(const std::vector<std::string>& args) {
    if (std::string reason = CheckMacroId(args[0]); !reason.empty())
        return reason;
    return CheckWritableFile(args[1]);
}

std::string CheckExportAll(const std::vector<std::string>& args) {
    return CheckWritableFile(args[0]);
}

const Command kCommands[] = {
    {"macro import", "macro import FILE", "adds the macro of a one-macro file", 1, 1, Needs::kStore,
     false, CheckImport, RunImport},
    {"macro export", "macro export ID FILE",
     "writes the macro, under the name the list shows, as a one-macro file", 2, 2, Needs::kStore,
     false, CheckExport, RunExport},
    {"macro import-all", "macro import-all FILE", "adds every macro of an all-macros file", 1, 1,
     Needs::kStore, false, CheckImportAll, RunImportAll},
    {"macro export-all", "macro export-all FILE", "writes every stored macro as an all-macros file",
     1, 1, Needs::kStore, false, CheckExportAll, RunExportAll},
};

}  // namespace

std::span<const Command> MacroFileCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
