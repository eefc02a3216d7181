#include "pages/Pages.h"

#include "pages/wireless/Performace.h"

std::map<std::string, PageOpening> HvPages() {
    return {
        {"TFM_Performace",
         [](TMainForm& main) { main.openModal(FM_Performace, new TFM_Performace(nullptr, &main)); }},
    };
}
