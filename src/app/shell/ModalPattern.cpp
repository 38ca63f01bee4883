#include "ModalPattern.h"

namespace quivra::shell {

namespace {
DialogObserver& observer() {
    static DialogObserver o;
    return o;
}
}  // namespace

void setDialogObserver(DialogObserver o) {
    observer() = std::move(o);
}

void notifyDialogShown(QDialog* dialog) {
    if (observer()) observer()(dialog);
}

}  // namespace quivra::shell
