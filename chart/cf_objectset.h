// The owned, ordered members of a composite chart object (the faces of a solid or a sheet, the solids of a
// series) with what the composite keeps about them: the union of their extents in the data, box and
// projected stages, and the scale and translation applied to the whole, which a member added later joins.
// Also the two orderings the composites use before drawing: by depth, and by the pairwise face test.
#ifndef CHART_CF_OBJECTSET_H
#define CHART_CF_OBJECTSET_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/cf_extent.h"
#include "chart/cf_virt3dobj.h"

template <typename Member>
class cf_ObjectSet {
 public:
  using Extents = std::array<cf_Extent, 3>;

  // Takes the member into the set's scale, then its translation, and widens the extents by it.
  Member& Add(std::unique_ptr<Member> member) {
    member->Scale(scale[0], scale[1], scale[2]);
    member->Translate(translation[0], translation[1], translation[2]);
    const bool first = members.empty();
    const double dataLow[] = {member->GetMinX(), member->GetMinY(), member->GetMinZ()};
    const double dataHigh[] = {member->GetMaxX(), member->GetMaxY(), member->GetMaxZ()};
    const double boxLow[] = {member->GetBoxMinX(), member->GetBoxMinY(), member->GetBoxMinZ()};
    const double boxHigh[] = {member->GetBoxMaxX(), member->GetBoxMaxY(), member->GetBoxMaxZ()};
    for (std::size_t a = 0; a < 3; ++a) {
      Widen(data[a], dataLow[a], dataHigh[a], first);
      Widen(box[a], boxLow[a], boxHigh[a], first);
    }
    members.push_back(std::move(member));
    return *members.back();
  }

  // Scales about the set's translation point.
  void Scale(double sx, double sy, double sz) {
    const std::array<double, 3> at = translation;
    Translate(-at[0], -at[1], -at[2]);
    const double factors[] = {sx, sy, sz};
    for (std::unique_ptr<Member>& member : members) {
      member->Scale(sx, sy, sz);
    }
    for (std::size_t a = 0; a < 3; ++a) {
      scale[a] *= factors[a];
      box[a].min *= factors[a];
      box[a].max *= factors[a];
    }
    Translate(at[0], at[1], at[2]);
  }

  void Translate(double dx, double dy, double dz) {
    const double shifts[] = {dx, dy, dz};
    for (std::unique_ptr<Member>& member : members) {
      member->Translate(dx, dy, dz);
    }
    for (std::size_t a = 0; a < 3; ++a) {
      translation[a] += shifts[a];
      box[a].min += shifts[a];
      box[a].max += shifts[a];
    }
  }

  // Projects each member in order and takes the projected extents over them.
  void Project(const cf_Kernel& kernel) {
    for (std::size_t i = 0; i < members.size(); ++i) {
      Member& member = *members[i];
      member.Project(kernel);
      const double low[] = {member.GetProjMinX(), member.GetProjMinY(), member.GetProjMinZ()};
      const double high[] = {member.GetProjMaxX(), member.GetProjMaxY(), member.GetProjMaxZ()};
      for (std::size_t a = 0; a < 3; ++a) {
        Widen(projected[a], low[a], high[a], i == 0);
      }
    }
    for (std::size_t a = 0; a < 3; ++a) {
      projectedMid[a] = projected[a].Mid();
    }
  }

  void ToScreen(const cf_Kernel& kernel) {
    for (std::unique_ptr<Member>& member : members) {
      member->ToScreen(kernel);
    }
  }

  void DrawSecondary(bf_Display& display) {
    for (std::unique_ptr<Member>& member : members) {
      member->DrawSecondary(display);
    }
  }

  template <typename Visit>
  void ForEach(Visit visit) {
    for (std::unique_ptr<Member>& member : members) {
      visit(*member);
    }
  }

  // Ascending by the key, members of equal keys keeping their order: what repeated passes of neighbour
  // swaps give.
  template <typename Before>
  void DepthSort(Before before) {
    std::stable_sort(
        members.begin(), members.end(),
        [&](const std::unique_ptr<Member>& a, const std::unique_ptr<Member>& b) { return before(*a, *b); });
  }

  // Passes over every pair i < j that swap the two when member i must follow member j, until a pass swaps
  // nothing. Members that each must follow the next in a cycle would swap for ever, so there are at most as
  // many passes as members.
  template <typename MustFollow>
  void OverlapPass(MustFollow mustFollow) {
    const std::size_t n = members.size();
    for (std::size_t pass = 0; pass < n; ++pass) {
      bool swapped = false;
      for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
          if (mustFollow(*members[i], *members[j])) {
            std::swap(members[i], members[j]);
            swapped = true;
          }
        }
      }
      if (!swapped) {
        return;
      }
    }
  }

  // Empties the set and zeroes the box extents.
  void Reset() {
    members.clear();
    box = Extents();
  }

  // Member i from 1; null outside 1..count.
  Member* At(int32_t i) const {
    return i >= 1 && i <= Count() ? members[static_cast<std::size_t>(i - 1)].get() : nullptr;
  }
  int32_t Count() const { return static_cast<int32_t>(members.size()); }

  Extents data;
  Extents box;
  Extents projected;
  std::array<double, 3> projectedMid{};
  std::array<double, 3> translation{};
  std::array<double, 3> scale{1, 1, 1};

 private:
  static void Widen(cf_Extent& extent, double low, double high, bool first) {
    extent.Take(low, first);
    extent.Take(high, false);
  }

  std::vector<std::unique_ptr<Member>> members;
};

// A drawable object made of owned members: it scales, translates, maps to the screen and passes its ordering
// switches on to every member, and answers the data and box extents of the set, and its projected extents
// when `answersProjected` (a sheet answers 0 there and offers its own getters).
template <typename Member, bool answersProjected = true>
class cf_3DComposite : public cf_Virt3DObj {
 public:
  using cf_Virt3DObj::cf_Virt3DObj;

  void ToScreen(const cf_Kernel& kernel) override { members.ToScreen(kernel); }
  void Scale(double sx, double sy, double sz) override { members.Scale(sx, sy, sz); }
  void Translate(double dx, double dy, double dz) override { members.Translate(dx, dy, dz); }
  void SetOverlapPass(uint8_t on) override {
    cf_Virt3DObj::SetOverlapPass(on);
    members.ForEach([on](Member& member) { member.SetOverlapPass(on); });
  }
  void SetDepthSort(uint8_t on) override {
    cf_Virt3DObj::SetDepthSort(on);
    members.ForEach([on](Member& member) { member.SetDepthSort(on); });
  }
  void SetCulling(uint8_t on) override {
    cf_Virt3DObj::SetCulling(on);
    members.ForEach([on](Member& member) { member.SetCulling(on); });
  }
  double GetMinX() const override { return members.data[0].min; }
  double GetMaxX() const override { return members.data[0].max; }
  double GetMinY() const override { return members.data[1].min; }
  double GetMaxY() const override { return members.data[1].max; }
  double GetMinZ() const override { return members.data[2].min; }
  double GetMaxZ() const override { return members.data[2].max; }
  double GetBoxMinX() const override { return members.box[0].min; }
  double GetBoxMaxX() const override { return members.box[0].max; }
  double GetBoxMinY() const override { return members.box[1].min; }
  double GetBoxMaxY() const override { return members.box[1].max; }
  double GetBoxMinZ() const override { return members.box[2].min; }
  double GetBoxMaxZ() const override { return members.box[2].max; }
  double GetProjMinX() const override { return answersProjected ? members.projected[0].min : 0; }
  double GetProjMaxX() const override { return answersProjected ? members.projected[0].max : 0; }
  double GetProjMinY() const override { return answersProjected ? members.projected[1].min : 0; }
  double GetProjMaxY() const override { return answersProjected ? members.projected[1].max : 0; }
  double GetProjMinZ() const override { return answersProjected ? members.projected[2].min : 0; }
  double GetProjMaxZ() const override { return answersProjected ? members.projected[2].max : 0; }

  // Empties the set, deleting the members.
  virtual void Reset() { members.Reset(); }
  int32_t Count() const { return members.Count(); }
  // Member i from 1; null outside 1..count.
  Member* At(int32_t i) const { return members.At(i); }
  Member* First() const { return members.At(1); }
  Member* Last() const { return members.At(members.Count()); }

 protected:
  // Takes the member into the set with the composite's attributes and switches: given the attributes when
  // the composite has any, drawn with the composite's pen and brush otherwise.
  Member& Adopt(std::unique_ptr<Member> member) {
    if (HasDispAttribs()) {
      member->SetDispAttribs(DispAttribs());
    } else {
      member->SetNoPen(1);
      member->SetNoBrush(1);
    }
    member->SetOverlapPass(OverlapPass());
    member->SetDepthSort(DepthSort());
    member->SetCulling(Culling());
    return members.Add(std::move(member));
  }
  // The members between the composite's own pen and brush.
  void DrawMembers(bf_Display& display) {
    PushPen(display);
    PushBrush(display);
    members.DrawSecondary(display);
    PopBrush(display);
    PopPen(display);
  }

  cf_ObjectSet<Member> members;
};

#endif
