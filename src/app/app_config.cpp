#include "app/app_config.h"

#include "app/language_state.h"
#include "base/application_name.h"
#include "base/decimal.h"
#include "platform/folders.h"
#include "xml/xml_text_document.h"

namespace tessaly {

std::u16string ConfigFilePath() {
    return ProgramFolder() + u"config.xml";
}

void ReadAppConfig(std::u16string_view config_path) {
    ClearLanguageSet();
    XmlTextDocument document;
    if (!document.LoadFile(config_path))
        return;
    if (!document.FindElement(u"config"))
        return;
    document.EnterElement();
    if (document.FindElement(u"language.info")) {
        SetCurrentLcid(DecimalToInt(document.GetAttribute(u"default_lan")));
        document.EnterElement();
        while (document.FindElement(u"lan")) {
            AddToLanguageSet(DecimalToInt(document.GetAttribute(u"value")));
        }
        document.LeaveElement();
    }
    // The search only moves forward: a software section placed before
    // language.info is not found.
    if (document.FindElement(u"software")) {
        // An empty name would leave the lock, the store and the data folder
        // nameless: a missing or empty caption keeps the default.
        const std::u16string caption = document.GetAttribute(u"caption");
        if (!caption.empty())
            SetApplicationName(caption);
    }
}

void ReadAppConfig() {
    ReadAppConfig(ConfigFilePath());
}

}  // namespace tessaly
