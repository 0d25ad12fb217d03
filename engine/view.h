// A non-owning, 1-based, column-major view over a plain array, so that the formulas
// read like their mathematics: a(i) for a vector, a(i, j) for a matrix whose column
// length (its first extent) is n.
#pragma once

namespace corvane {

template <class T>
struct view {
  T* p;
  int n;  // column length; unused for vectors

  T& operator()(int i) const { return p[i - 1]; }
  T& operator()(int i, int j) const { return p[(j - 1) * n + (i - 1)]; }
};

// A vector view over an array.
template <class T, int N>
inline view<T> vec(T (&a)[N]) { return view<T>{a, N}; }

// A matrix view over an array of r x c entries stored column by column, r being the
// column length.
template <int R, class T, int N>
inline view<T> mat(T (&a)[N]) {
  static_assert(N % R == 0, "array is not a whole number of columns");
  return view<T>{a, R};
}

}  // namespace corvane
