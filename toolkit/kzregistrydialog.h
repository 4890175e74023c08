// The settings editor: a modal dialog over a group of the settings tree that lists the group's nodes as
// a tree, shows the current node's name, type, value and comment, takes a new value from the value field,
// adds new settings of a chosen type and name, and marks settings deleted or undeleted. Every change goes
// straight into the tree; a deleted node stays there and is only left out when the tree is saved.
#ifndef TOOLKIT_KZREGISTRYDIALOG_H
#define TOOLKIT_KZREGISTRYDIALOG_H

#include <cstdint>

#include "foundation/krtreewalker.h"
#include "toolkit/kzdialog.h"

class KRGroup;
class KRNode;
class KZButton;
class KZNodeSelector;
class KZPrompt;
class KZString;
class KZText;

class KZRegistryDialog : public KZDialog {
 public:
  // Sent by the Delete button: flip the current node's deleted mark. (The New button sends
  // RegistryNewEvent.)
  static constexpr ZafEventType kDeleteEvent = 10024;

  // Lays out the editor over the group (which stays the caller's); the first node is current.
  explicit KZRegistryDialog(KRGroup* group);
  ~KZRegistryDialog() override;

  // Hands a value the user typed to the current node, whatever the answer: closing also commits it.
  void ProcessResult(ZafEventType result) override;
  // Shows the node of the list's current row, when it is another than the one shown.
  void ShowNode();
  // The Delete button reads Undelete while the current node is marked deleted.
  void UpdateDeleteLabel();
  // New and Delete; everything else is the dialog's.
  ZafEventType Event(const ZafEventRecord& event) override;

  KRGroup* Group() const { return group; }
  KRNode* CurrentNode() const { return currentNode; }
  KZNodeSelector* NodeSelector() const { return nodeSelector; }
  KZButton* NewButton() const { return newButton; }
  KZButton* DeleteButton() const { return deleteButton; }
  KZPrompt* NameDisplay() const { return nameDisplay; }
  KZPrompt* TypeDisplay() const { return typeDisplay; }
  KZString* ValueField() const { return valueField; }
  KZText* CommentBox() const { return commentBox; }

 private:
  // Asks for a type and a name and adds the new node at the end of the current group, or before the
  // current value node; a name the settings tree cannot hold is refused with a message.
  void AddNewNode();
  void FlipDeleted();
  // The width of the label column, in cells.
  int32_t LabelWidth() const;

  KRGroup* group;
  KRTreeWalker walker;
  KRNode* currentNode = nullptr;
  KZNodeSelector* nodeSelector = nullptr;
  KZButton* newButton = nullptr;
  KZButton* deleteButton = nullptr;
  KZPrompt* nameDisplay = nullptr;
  KZPrompt* typeDisplay = nullptr;
  KZString* valueField = nullptr;
  KZText* commentBox = nullptr;
};

#endif
