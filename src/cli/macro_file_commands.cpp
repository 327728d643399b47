// Macro files through the macro menu: the command's FILE is what the file
// dialog answers, and the page's import and export do the rest. A file to
// import is checked before start-up: there, read, well-formed, root
// "macro" (the page would silently do nothing otherwise).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/unicode.h"
#include "cli/macro_commands.h"
#include "cli/macro_page_driver.h"
#include "cli/run_streams.h"
#include "macros/macro_file_saves.h"
#include "macros/macro_files.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/main/device_main_dlg.h"
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

// Whether the page's export saved the file: the save's own result (the
// page's caller never hears of it).
class WriteWatch {
  public:
    WriteWatch() : before_(LastMacroFileSave().count) {}
    bool Written() const {
        const MacroFileSave last = LastMacroFileSave();
        return last.count != before_ && last.saved;
    }

  private:
    uint64_t before_;
};

// The page tells nothing of the values it refused; the same check on the
// same file does, for the device the page checked against.
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

int Import(CommandContext& context, int item) {
    if (!PageFilled(context))
        return kExitFailure;
    MacroPageDriver page(context.window);
    const size_t before = page.Macros().size();
    const std::u16string path = DialogPath(context.args[0]);
    page.ChooseFileItem(item, path);
    const MacroValueCounts counts = CheckMacroFileValues(
        path, item == macro_id::kImportAllItem, context.window.selected_device_type.load());
    const std::vector<DUI::ListItem> after = page.Macros();
    if (counts.AllRefused()) {
        context.error =
            "every value in " + context.args[0] + " is out of range; nothing was imported";
        return kExitFailure;
    }
    ReportRefusedValues(context.args[0], counts);
    if (after.size() == before) {
        context.error = "the store took no macro from " + context.args[0];
        return kExitFailure;
    }
    OutputValue rows = OutputValue::MakeArray();
    for (size_t i = before; i < after.size(); ++i)
        rows.Append(MacroRow(static_cast<int>(after[i].data), after[i].text));
    context.out.Set("imported", std::move(rows));
    return kExitOk;
}

int RunImport(CommandContext& context) {
    return Import(context, macro_id::kImportOneItem);
}

int RunImportAll(CommandContext& context) {
    return Import(context, macro_id::kImportAllItem);
}

int Written(CommandContext& context, const WriteWatch& watch, const std::string& file) {
    if (!watch.Written()) {
        context.error = file + " could not be written";
        return kExitFailure;
    }
    context.out.Set("file", ToUtf8(DialogPath(file)));
    return kExitOk;
}

int RunExport(CommandContext& context) {
    MacroPageDriver page(context.window);
    if (const int code = SelectMacro(context, page, context.args[0]); code != kExitOk)
        return code;
    const std::string& file = context.args[1];
    const WriteWatch watch;
    page.ChooseFileItem(macro_id::kExportOneItem, DialogPath(file));
    context.out.Set("macro", page.SelectedMacro());
    return Written(context, watch, file);
}

int RunExportAll(CommandContext& context) {
    if (!PageFilled(context))
        return kExitFailure;
    MacroPageDriver page(context.window);
    const std::vector<DUI::ListItem> macros = page.Macros();
    // The page offers the export only with a macro selected.
    if (macros.empty()) {
        context.error = "there is no macro to export";
        return kExitUsage;
    }
    if (page.SelectedMacro() <= 0)
        page.SelectMacro(static_cast<int>(macros.front().data));
    const std::string& file = context.args[0];
    const WriteWatch watch;
    page.ChooseFileItem(macro_id::kExportAllItem, DialogPath(file));
    context.out.Set("macros", static_cast<int>(macros.size()));
    return Written(context, watch, file);
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
