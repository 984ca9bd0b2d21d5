#pragma once
// Window descriptions set properties of a component's parts with dotted
// names, e.g. "Bevel.BorderWidth" on a slider (a part published as a QObject*
// property) or "LMDLabel8.Caption" on an embedded panel (a child component by
// name). Qt Designer files can only store such names as dynamic properties;
// ApplyDescriptionProperties() moves each one onto the part it names.
// "Font.Bold" (also Italic, Underline, FullHinting) as the last two steps
// sets one style flag of a widget's font and keeps its family and size.

class QObject;

// The loading phase: see the widget headers ("while loading").

namespace marnova {

// Applies every dotted dynamic property of `root` and of all its descendants
// to the part it names, then removes it. Returns the number of properties
// that named no existing part or property (each is dropped; the count lets a
// test prove that a description holds no misspelt names).
int ApplyDescriptionProperties(QObject* root);

// Ends the loading phase of every widget below `root` (and of `root`
// itself): from now on their change events fire and they size themselves.
void EndLoading(QObject* root);

// What a window does at the end of building itself from its description:
// ApplyDescriptionProperties(), then each font set on a widget is renamed
// to its installed family (see InstalledFamily), then EndLoading(). Returns
// the count of unresolved dotted names.
int FinishDescription(QObject* root);

}  // namespace marnova
