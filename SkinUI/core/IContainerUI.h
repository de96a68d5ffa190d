#pragma once
// Child management shared by every container control.
namespace SkinUI {

class CControlUI;

class IContainerUI {
 public:
  virtual CControlUI* GetItemAt(int index) const = 0;
  virtual int GetItemIndex(CControlUI* control) const = 0;
  virtual bool SetItemIndex(CControlUI* control, int newIndex) = 0;
  virtual bool MoveItems(CControlUI* first, int count, int newIndex) = 0;
  virtual int GetCount() const = 0;
  virtual bool Add(CControlUI* control) = 0;
  virtual bool AddAt(CControlUI* control, int index) = 0;
  virtual bool Remove(CControlUI* control, bool keep = false) = 0;
  virtual bool RemoveAt(int index, bool keep = false) = 0;
  virtual void RemoveAll() = 0;

 protected:
  ~IContainerUI() = default;
};

}  // namespace SkinUI
