#include "services/DesignContext.h"

#include "common/Messages.h"
#include "platform/KernelProject.h"
#include "platform/SuiteServices.h"

namespace k2k {

int ReadDesignContext(KernelProject& kernel, SuiteServices& services, DesignContext& context) {
    const int database = kernel.DB_DataBase();
    if (database == 0) {
        MessageRequest request;
        request.text = LocalText(services, "991254", "Start Main Kalde 2000 Application");
        request.title = LocalText(services, "3328", "Kalde 2000 - Library Search Engine");
        request.icon = MsgIcon::Critical;
        request.buttons = MsgButtons::Ok;
        services.Boxes().Show(request);
        return 0;
    }
    context.databaseName = kernel.O_GetName(database);
    const int hierarchy = kernel.DB_CurHier(database);
    context.hierarchyName = kernel.O_GetName(kernel.OM_Object(kernel.DB_HierarchyMap(), hierarchy));
    context.pageName = kernel.O_GetName(kernel.DB_Page(kernel.DB_CurPage(database)));
    return database;
}

} // namespace k2k
