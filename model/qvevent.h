#pragma once
// An event or workout document: its titles and numbers, its stored date and time, its starts, wind readings
// and legs, and the file it lives in. It is the root of its model objects: every change notification
// reaches it, and it takes its lock at a change's begin, marks itself modified after a user's change,
// passes the message to its view, its listeners and the leg concerned, and releases the lock at the end.
// The stored form is described in docs/event-document.md.

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "foundation/kdatetime.h"
#include "foundation/klist.h"
#include "foundation/kmessage.h"
#include "foundation/kmutex.h"
#include "foundation/kstring.h"
#include "model/qveventview.h"

class KStream;
class QvResultFilter;
class YLeg;
class YStart;
class YWind;

class QvEvent : public KMessageObject {
 public:
  enum Kind : int32_t { kEvent = 0, kWorkout = 1 };
  // Save mode bits.
  static constexpr int32_t kSaveFile = 1;
  static constexpr int32_t kAskName = 16;
  static constexpr int32_t kFalseStartCopy = 32;
  // Open modes: the document's own file, or a file taken in as a new document that has no file yet.
  static constexpr int32_t kOpenFile = 1;
  static constexpr int32_t kOpenAsNew = 2;
  // Open-mode bit that makes images export their header only.
  static constexpr int32_t kImagesHeaderOnly = 8;
  // Save's answer when the user cancelled the file dialog.
  static constexpr int32_t kCancelled = 1004;
  static constexpr uint16_t kVersion = 1;
  static constexpr int32_t kMaxStarts = 100;
  static constexpr int32_t kMaxWinds = 100;
  static constexpr int32_t kMaxLegs = 16;
  // Highest number tried for a false-start copy's name.
  static constexpr int32_t kMaxCopyNumber = 999;

  explicit QvEvent(Kind kind = kEvent);
  QvEvent(const QvEvent&) = delete;
  QvEvent& operator=(const QvEvent&) = delete;
  ~QvEvent() override;

  Kind GetKind() const { return kind; }
  // The file extension of the kind: "qve" or "qvw".
  const char16_t* Extension() const;

  // Fills a new document (a start, a wind reading and a leg), then lets the registered schedule fill it
  // from its current entry; 0 or the schedule's error code. The document then asks for a name when first
  // saved.
  int32_t NewFromSchedule(int32_t flag, int32_t unused);
  // Reads the document from a file; mode 1 (kOpenFile) or 2 (kOpenAsNew), possibly with kImagesHeaderOnly,
  // which the open-mode word keeps. 0 or an error code (3002 the file does not open, 3009 a record of
  // another version, 3010 damaged contents, 2001 out of memory); on failure the document is unchanged. A
  // document whose false-start marks disagree with its times opens with them corrected, and modified.
  int32_t Open(int32_t mode, const KString& path);
  // Saves by the mode bits: 1 under the document's name (asking for one when the document has none or
  // came from the schedule and was never saved), 16 always asking, 32 a false-start copy beside the file
  // named "<name>-FS<n>.<extension>" with the first free n. A save of the document's own file makes the
  // file saved the document's file and clears the modified mark; a false-start copy is a snapshot that
  // leaves the document's file name, title and modified mark as they were. 0, kCancelled, or an error
  // code (2001 out of memory); a failed save, or one ended by any other exception, leaves the previous
  // file, the document's file name and its modified mark as they were. A file the file check refuses is
  // not written: a name asked for is asked again, starting from the refused one; any other save answers
  // kCancelled, the refusal having told the user why.
  int32_t Save(int32_t mode);
  // The check every save of every document makes of the file it would write: whether the document being
  // saved may write that file. The program sets it for as long as it shows documents; without one, any
  // file may be written.
  using FileCheck = std::function<bool(const QvEvent& saving, const KString& path)>;
  static void SetFileCheck(FileCheck check) { fileCheck = std::move(check); }
  // The copy name a false-start save would use now; empty when none is free. The name of a document that
  // already is a copy ("<name>-FS<k>") continues that series.
  KString FalseStartCopyName() const;

  bool IsModified() const { return modified; }
  void SetModified(bool on) { modified = on; }
  int32_t OpenMode() const { return openMode; }
  const KString& FileName() const { return fileName; }
  // The file the document is being read from or written to while Open or Save runs, else its own file.
  // Images keep their block files beside it, under this path with their own extension.
  const KString& StoragePath() const { return storagePath.IsEmpty() ? fileName : storagePath; }
  // True when the document's file is that file: both names lead to the same file now (device and inode),
  // or, when either leads nowhere, the names are equal exactly, case included.
  bool GetFileName(const KString& path) const;
  // Appends the file's name without folder and extension.
  void GetFileTitle(KString& text) const;
  // The name the user knows the document by: its file's title or, without a file, the title of the name
  // Save As proposes ("Event", or the schedule's event, round and heat).
  void GetDocumentName(KString& text) const;
  // The event folder from "\Event\Directory"; SetDirectory remembers the folder of a file there.
  static KString GetDirectory();
  static void SetDirectory(const KString& file);

  int32_t GetStartCount() const { return starts.Count(); }
  YStart* GetStart(int32_t index) const;
  YStart* NewStart();
  int32_t GetWindCount() const { return winds.Count(); }
  YWind* Wind(int32_t index) const;
  YWind* NewWind();
  int32_t GetLegCount() const { return legs.Count(); }
  YLeg* Leg(int32_t index) const;
  YLeg* NewLeg();

  const KString& GetTitle() const { return title; }
  void SetTitle(const KString& text);
  const KString& EventNumber() const { return eventNumber; }
  const KString& RoundNumber() const { return roundNumber; }
  const KString& HeatNumber() const { return heatNumber; }
  void SetEventRoundHeat(const KString& event, const KString& round, const KString& heat);
  bool HasEventRoundHeat() const;
  // An event from a race of the start lists (one with event, round and heat) has in use exactly the lanes
  // its race has an athlete in: neither the lane switches nor the lanes the control unit reports add any.
  bool TakesOnlyItsRacesLanes() const { return HasEventRoundHeat(); }
  // Appends "event-round-heat", the event zero-padded to 3 digits and the heat to 2 when
  // "\Event\PadEventRoundHeat" is on; false, appending nothing, unless all three are set.
  bool GetEventRoundHeatText(KString& text) const;

  // The stored date and time; it also orders armed events.
  const KDateTime& InfoBlock() const { return infoBlock; }
  // Takes a date and time within the ranges the file keeps (year 0-9999, month 0-12, day of week 0-6,
  // day 0-31, hour 0-23, minute and second 0-59, millisecond 0-999); false, changing nothing, otherwise.
  bool SetInfoBlock(const KDateTime& when);
  // Makes the stored date and time the local moment the trial's gun fired: `headerRead`, when the unit's
  // clock word was read with the trial header, less clock minus gun (milliseconds of the unit's clock).
  // Nothing happens for a clock of none (0x80000000), a negative difference, or the gun word last applied:
  // the same gun is the same trial, so a trial downloaded again (its reaction times, then its trace) is
  // applied once. A gun of none (a trial without a gun) keeps the time but forgets the trial last applied.
  void GetRunTime(int32_t clockWord, int32_t gunWord, std::chrono::system_clock::time_point headerRead);

  // Hands the event to the schedule's results interface file; 0, or 3002 when the document has no file or
  // the writing failed.
  int32_t MakeCurrent();
  // Serves the legs' pending redraws; called on every idle tick.
  void ServeRequests();

  QvEventView& View() { return view; }
  static QvEvent* FromView(const QvEventView* eventView);
  // The leg whose results a results view observes.
  static YLeg* FromView(const QvResultFilter* resultsView);

  // The document's lock; readers on other threads try it with a short time-out.
  KMutex& Mutex() { return mutex; }
  // Objects that receive every message the document delivers.
  void AddListener(KMessageObject* listener);
  void RemoveListener(KMessageObject* listener);
  int32_t Receive(KMessage& message) override;

  void Write(KStream& stream) const;
  // Reads the document's record; on failure the document is unchanged.
  void Read(KStream& stream);
  // Equal stored contents.
  bool SameContents(const QvEvent& other) const;

 private:
  // The file a save of that mode writes, one the file check accepts: 0, or kCancelled or an error code
  // when there is none.
  int32_t ChooseSavePath(int32_t mode, KString& path) const;
  bool MayWrite(const KString& path) const { return !fileCheck || fileCheck(*this, path); }
  int32_t SaveTo(const KString& path) const;
  // Passes a message to the summary view, the listeners and the leg it concerns.
  void Deliver(KMessage& message);
  // Reads the record's fields into this fresh document.
  void ReadRecord(KStream& stream);
  // In a file whose lanes hold no gun at all (saved before lanes were marked), gives trial data the gun of
  // the trial last applied.
  void MarkUnmarkedLanesWithLastRun();
  KString ProposedName() const;
  void TakeContents(QvEvent& other);

  Kind kind;
  KString title;
  KString eventNumber;
  KString roundNumber;
  KString heatNumber;
  KDateTime infoBlock;
  // The (clock, gun) pair GetRunTime applied last; its gun word keeps the same trial from being applied
  // twice, and names the trial of lanes read without a gun of their own.
  int32_t lastRunClock;
  int32_t lastRunGun;
  KList starts;
  KList winds;
  KList legs;
  QvEventView view;
  KString fileName;
  // Set only while the document is read or written (SaveTo is const, hence mutable).
  mutable KString storagePath;
  bool modified = false;
  bool needsName = false;
  int32_t openMode = 0;
  KMutex mutex;
  std::vector<KMessageObject*> listeners;
  static inline FileCheck fileCheck;
};
