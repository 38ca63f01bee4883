#pragma once
// Assistive technology announces a plain QWidget as a "filler", even when it
// is a top-level window of its own (the splash window).  announceAsWindow()
// makes every widget of the named class a window to it, as dialogs and main
// windows are already.

namespace quivra::shell {

// `className` as QMetaObject::className() gives it ("quivra::app::TSplashV").
// Call it before the first widget of the class is announced (first thing in
// its constructor): a widget keeps the role it was first announced with.
void announceAsWindow(const char* className);

}  // namespace quivra::shell
