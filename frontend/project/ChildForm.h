// What the main window asks of its child windows (data dialogs, table windows): take over their
// edits when another window or a command needs the project as the user typed it.
#pragma once

namespace korven {

class TChildForm {
public:
    virtual ~TChildForm() = default;
    /// The child became the active window: show the project's values.
    virtual void FormActivate() {}
    /// Store the edits into the project. False when an entry is invalid: the child then stays
    /// in front and nothing is stored.
    virtual bool FormDeactivate() { return true; }
};

}  // namespace korven
