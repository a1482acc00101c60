#pragma once

namespace cct {

// The wait cursor over every window of the program while work blocks it.
// Begin and End nest; an End without a Begin does nothing.
class BusyCursor {
 public:
  static void Begin();
  static void End();
  static int Depth();

  // On for the object's life.
  class Scope {
   public:
    Scope() { Begin(); }
    ~Scope() { End(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
  };

  // The normal cursor for the object's life, as while a box waits for the
  // operator in the middle of work; the wait cursor comes back afterwards.
  class Suspend {
   public:
    Suspend();
    ~Suspend();
    Suspend(const Suspend&) = delete;
    Suspend& operator=(const Suspend&) = delete;

   private:
    bool active_;
  };
};

}  // namespace cct
