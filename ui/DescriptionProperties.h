#pragma once
// Window descriptions set properties of a component's parts with dotted
// names, e.g. "Bevel.BorderWidth" on a slider (a part published as a QObject*
// property) or "LMDLabel8.Caption" on an embedded panel (a child component by
// name). Qt Designer files can only store such names as dynamic properties;
// ApplyDescriptionProperties() moves each one onto the part it names.

class QObject;

namespace marnova {

// Applies every dotted dynamic property of `root` and of all its descendants
// to the part it names, then removes it. Returns the number of properties
// that named no existing part or property (each is dropped; the count lets a
// test prove that a description holds no misspelt names).
int ApplyDescriptionProperties(QObject* root);

}  // namespace marnova
