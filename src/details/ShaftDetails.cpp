#include "ShaftDetails.h"

#include "ModalPattern.h"
#include "TSpecsFrm.h"

namespace quivra::details {

void openShaftDetails(QWidget* parent, const DetailRequest& request) {
    shell::runModal<TSpecsFrm>(parent, request);
}

}  // namespace quivra::details
