// The framework's event codes and results that the window classes exchange. Negative codes are system
// events and requests; 1001 and up are the logical device events of the event maps.
#ifndef FRAMEWORK_CORE_ZAFEVENTTYPES_H
#define FRAMEWORK_CORE_ZAFEVENTTYPES_H

#include <cstdint>

// What Event answers: an event code, or for a native message the message's result, which may be a handle or
// a pointer, so it is as wide as a pointer. Event records keep their type in 32 bits.
using ZafEventType = std::intptr_t;

// Results.
inline constexpr ZafEventType NoWindowResult = -3;
inline constexpr ZafEventType UnknownEventResult = -2;

// Life of the native window and drawing.
inline constexpr ZafEventType MinimizeEvent = -4;
inline constexpr ZafEventType MaximizeEvent = -5;
// Back from maximized or minimized.
inline constexpr ZafEventType RestoreEvent = -25;
// Maximize, minimize and restore the current child window of a multiple-document frame.
inline constexpr ZafEventType ChildMaximizeEvent = -502;
inline constexpr ZafEventType ChildMinimizeEvent = -503;
inline constexpr ZafEventType ChildRestoreEvent = -504;
inline constexpr ZafEventType NoWindowLeftEvent = -7;
inline constexpr ZafEventType PrepareEvent = -9;
inline constexpr ZafEventType CreateEvent = -10;
inline constexpr ZafEventType CloseEvent = -11;
inline constexpr ZafEventType FocusLostEvent = -13;
inline constexpr ZafEventType DrawNowEvent = -16;
inline constexpr ZafEventType RedisplayEvent = -17;
inline constexpr ZafEventType CloseTemporaryEvent = -18;
inline constexpr ZafEventType NativeGoneEvent = -20;
inline constexpr ZafEventType NativeAttachedEvent = -26;
inline constexpr ZafEventType DestroyEvent = -27;
inline constexpr ZafEventType RedisplayRegionEvent = -28;
inline constexpr ZafEventType ExitEvent = -32;
inline constexpr ZafEventType HelpEvent = -34;
inline constexpr ZafEventType ValidityQueryEvent = -37;
// Clipboard requests to a field's control.
inline constexpr ZafEventType CutEvent = -29;
inline constexpr ZafEventType PasteEvent = -30;
inline constexpr ZafEventType CopyEvent = -31;
// A field takes the value of the event's object (-420), or its data object (-421: shared, or a private
// copy of its own data when the event names no object).
inline constexpr ZafEventType CopyDataEvent = -420;
inline constexpr ZafEventType SetDataEvent = -421;
inline constexpr ZafEventType FocusRequestEvent = -50;
// A hot key pressed; the key's character is in the event's key record.
inline constexpr ZafEventType HotKeyEvent = -120;
inline constexpr ZafEventType SetRegionEvent = -200;
inline constexpr ZafEventType FitEvent = -201;
inline constexpr ZafEventType FocusGainedEvent = -204;
// Scrolling: the change (fifth scroll word) of a window's own vertical or horizontal scroll bar, and the
// range updates (-306 vertical, -307 horizontal); windows hand these, and -305 and -304, to ScrollEvent.
inline constexpr ZafEventType ScrollVerticalByEvent = -300;
inline constexpr ZafEventType ScrollHorizontalByEvent = -301;
inline constexpr ZafEventType ScrollHorizontalRangeEvent = -307;
// A notebook's tab row scrolled back or forward by one tab.
inline constexpr ZafEventType TabsBackEvent = -310;
inline constexpr ZafEventType TabsForwardEvent = -311;
inline constexpr ZafEventType DefaultButtonChangedEvent = -220;
inline constexpr ZafEventType AddObjectEvent = -400;
inline constexpr ZafEventType SubtractObjectEvent = -401;
// Drag and drop: the over events while the pointer moves (by the keys held), the drop events on release.
inline constexpr ZafEventType DragMoveEvent = -403;
inline constexpr ZafEventType DragCopyEvent = -404;
inline constexpr ZafEventType DropMoveEvent = -405;
inline constexpr ZafEventType DropCopyEvent = -406;
inline constexpr ZafEventType DragMoveCopyEvent = -407;
inline constexpr ZafEventType DropMoveCopyEvent = -408;
inline constexpr ZafEventType DragBeginEvent = -409;
inline constexpr ZafEventType DragEndEvent = -410;
inline constexpr ZafEventType DragOverEvent = -411;
inline constexpr ZafEventType DroppedEvent = -412;
inline constexpr ZafEventType FirstDragDropEvent = DroppedEvent;
inline constexpr ZafEventType LastDragDropEvent = DragMoveEvent;
// A drag handler's answer that refuses what is offered.
inline constexpr ZafEventType DragRefusedResult = -1;

// Notifications and requests.
// To the help tips: show the help hint of the event's object in the help bar, or, without an object,
// the text the bar had before.
// To the help tips: the event's object becomes the help bar; without an object there is none.
inline constexpr ZafEventType HelpBarEvent = -3300;
inline constexpr ZafEventType HelpHintEvent = -3301;
inline constexpr ZafEventType CloseQueryEvent = -3500;
inline constexpr ZafEventType ExitRequestEvent = -3501;
inline constexpr ZafEventType FocusGainEvent = -3502;
inline constexpr ZafEventType FocusLoseEvent = -3503;
// Sent to an object drawn in its parent's window after its area changed size or moved, carrying the native
// region it had before.
inline constexpr ZafEventType SizedEvent = -3504;
inline constexpr ZafEventType MovedEvent = -3505;
// A notebook showed another page.
inline constexpr ZafEventType PageChangedEvent = -3508;
inline constexpr ZafEventType TipEnterEvent = -3509;
inline constexpr ZafEventType TipLeaveEvent = -3510;
// The change of a scroll-bar control, vertical or horizontal, to the window it belongs to.
inline constexpr ZafEventType VerticalScrollEvent = -3506;
inline constexpr ZafEventType HorizontalScrollEvent = -3507;
inline constexpr ZafEventType LanguageChangedEvent = -3511;
// A window's frame was maximized, minimized or restored through its system menu.
inline constexpr ZafEventType MaximizedEvent = -3512;
inline constexpr ZafEventType MinimizedEvent = -3513;
inline constexpr ZafEventType RestoredEvent = -3514;

// Edit mode: what an object being laid out tells itself; the base handler leaves them to editing classes.
// Moved or sized by the pointer (value: the class ID; object: the object).
inline constexpr ZafEventType EditPlacedEvent = -4500;
// Chosen or double-clicked (value: the class ID; object: the object).
inline constexpr ZafEventType EditChosenEvent = -4501;
// After EditPlacedEvent: the press that started the move (its raw code and position).
inline constexpr ZafEventType EditPressEvent = -4502;

// Logical device events of the event maps.
inline constexpr ZafEventType PointerMovedEvent = 1001;
inline constexpr ZafEventType ChosenEvent = 1002;
inline constexpr ZafEventType LeftPressedEvent = 1003;
inline constexpr ZafEventType LeftDraggedEvent = 1004;
inline constexpr ZafEventType LeftReleasedEvent = 1005;
inline constexpr ZafEventType RightPressedEvent = 1006;
inline constexpr ZafEventType ChosenByDoubleClickEvent = 1012;
// The end row of an event map.
inline constexpr ZafEventType EndOfEventMap = 9999;

#endif
