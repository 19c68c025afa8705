#pragma once
// Code-and-data pairs bound to a member function at compile time.
//
// The toolkit's events, the elements' links and the other (routine, object)
// records call a plain function whose first argument is the object as void*.
// MemberThunk<&Class::Member> is that function for any member: it casts the
// pointer back to Class and calls the member with the remaining arguments, so
// no such function is written by hand. Calling a virtual member this way
// reaches the override, as a direct call would.

#include <utility>

namespace lobrin {

namespace detail {
template <class Member>
struct MemberTraits;

template <class Class, class Result, class... Args>
struct MemberTraits<Result (Class::*)(Args...)> {
  using Object = Class;
  using Plain = Result(void* object, Args... args);
  template <Result (Class::*Member)(Args...)>
  static Result Call(void* object, Args... args) {
    return (static_cast<Class*>(object)->*Member)(std::forward<Args>(args)...);
  }
};
}  // namespace detail

// The class that declares `Member`.
template <auto Member>
using MemberClass = typename detail::MemberTraits<decltype(Member)>::Object;

// The plain function type of `Member`: its own parameters after a void* object.
template <auto Member>
using MemberThunkType = typename detail::MemberTraits<decltype(Member)>::Plain;

// The plain function that calls `Member` on the object its first argument points at.
template <auto Member>
constexpr MemberThunkType<Member>* MemberThunk =
    &detail::MemberTraits<decltype(Member)>::template Call<Member>;

}  // namespace lobrin
