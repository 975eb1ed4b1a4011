#include "browser/ui/KindTabs.h"

#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"
#include "system/Text.h"

#include <QTabWidget>

namespace k2k {

void SetKindTabCaptions(QTabWidget& tabs, const SuiteServices& services) {
    for (std::size_t i = 0; i < kAllKinds.size() && static_cast<int>(i) < tabs.count(); ++i) {
        const NumberedText& caption = FactsOf(kAllKinds[i]).tabCaption;
        tabs.setTabText(static_cast<int>(i),
                        FromSuiteText(LocalText(services, DecimalText(caption.id), caption.text)));
    }
    NameTabPages(tabs);
}

} // namespace k2k
