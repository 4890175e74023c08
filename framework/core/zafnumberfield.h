// The number fields' common part: a string field whose text follows a value data object (a real or an
// integer), is checked against the field's format and range list on Enter and on leaving, tells the user
// through the error system what is wrong, and is stepped up or down with wrap-around. The real and integer
// fields are this class over their data classes; each names its class ID and class name (kClassID,
// kClassName), which the class's identity, copies and storage take from it.
#ifndef FRAMEWORK_CORE_ZAFNUMBERFIELD_H
#define FRAMEWORK_CORE_ZAFNUMBERFIELD_H

#include <string>
#include <utility>

#include "framework/core/zafstring.h"

class ZafLanguageData;
struct ZafLanguageStruct;

// The numbers of the fields' messages: not a number, outside every range, below the only minimum, above the
// only maximum.
inline constexpr ZafError ZAF_NUMBER_INVALID = 1;
inline constexpr ZafError ZAF_NUMBER_OUT_OF_RANGE = 5;
inline constexpr ZafError ZAF_NUMBER_TOO_SMALL = 6;
inline constexpr ZafError ZAF_NUMBER_TOO_LARGE = 7;

// The English messages of the number fields.
extern const ZafLanguageStruct zafNumberMessages[];

template <typename Field, typename Data>
class ZafNumberField : public ZafString {
 public:
  using Value = decltype(std::declval<const Data&>().Value());

  // One cell high, over the value object (null = a new one of value 0).
  ZafNumberField(int32_t left, int32_t top, int32_t width, Data* data = nullptr);
  // Over a new value object of that value.
  ZafNumberField(int32_t left, int32_t top, int32_t width, Value value);
  // Reads the named field from the persistence's current window; a read error is kept in the error word.
  ZafNumberField(const ZafIChar* name, ZafObjectPersistence& persistence);
  // Shares a value object that is not destroyable, copies one that is.
  ZafNumberField(const ZafNumberField& other);
  ~ZafNumberField() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

  // The number events (taking another field's value or value object, showing the value on preparing and
  // on a language change, parsing and checking on Enter and leaving) before the string field's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // A number field is never folded, masked or a variable name: each clears its flag and answers false.
  bool SetLowerCase(bool flag) override;
  bool SetPassword(bool flag) override;
  bool SetUpperCase(bool flag) override;
  bool SetVariableName(bool flag) override;
  // The text belongs to the value: answers 1 and changes nothing.
  int SetStringData(ZafStringData* data) override;
  // Step the value down (A) or up (B) by `delta`, which must be of the field's data class (else
  // ZAF_ERROR_NO_CHECK). Outside the range the value wraps to the first range's other end when `wrap` is
  // set and that end is given, else it stays. Answers 0.
  ZafError NumberCheckA(ZafData* delta, bool wrap) override;
  ZafError NumberCheckB(ZafData* delta, bool wrap) override;
  // The format and range check of the text: 0, or one of the ZAF_NUMBER_ errors, or ZAF_ERROR_KEPT when
  // the user chose to keep a text reported as wrong. With `report` the user is told through the error
  // system; without, the value is shown again.
  ZafError Validate(bool report) override;

  Data* NumberData() const { return number; }
  // Replaces the value object (null = a new one of value 0) and shows its value. The old one is deleted
  // when it is destroyable and nobody else uses it.
  void SetNumberData(Data* data);
  // The value after the text is read into it.
  Value NumberValue();
  int SetNumberValue(Value value);

  ZafError Write(ZafObjectPersistence& persistence) override;

 private:
  void MakeNumber(Data* data);
  static ZafLong NumberChanged(ZafElement* object, int kind);
  // The text into the value object, without the value being shown again; answers the parse error.
  ZafError ParseText();
  // The value as text, or the empty text for an unanswered field.
  void ShowValue();
  std::u16string Formatted(const Data& data);
  ZafError Step(ZafData* delta, bool wrap, bool up);
  // The value set without this field hearing of it.
  void SetValueQuietly(Value value);
  // The message of that number, its %s filled with the texts.
  std::u16string Message(ZafError number, const std::u16string& first, const std::u16string& second) const;

  Data* number = nullptr;
  // The messages of the field's class.
  ZafLanguageData* messages = nullptr;
};

#endif
