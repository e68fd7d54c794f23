// When a text field's entry is taken: on leaving the field, and on Return or Enter in it. Return
// then takes the text as leaving does, instead of pressing the dialog's default button and
// ending the program with unsaved work.
#pragma once

#include <QEvent>
#include <functional>

namespace bw {

// Calls `take` (which reads the watched field and says whether it was one) when `event` ends the
// field's editing. True when the event is a Return or Enter that `take` used: an event filter
// then keeps it from going further.
bool TakeFieldOnCommit(const QEvent* event, const std::function<bool()>& take);

}  // namespace bw
