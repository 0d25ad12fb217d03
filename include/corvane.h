/* Corvane: bubble point of a binary liquid mixture with the Wilson activity model and
 * Antoine vapour pressures.
 *
 * All 13 arguments are passed by reference and only read:
 *   mw1, mw2      molecular weights of components 1 and 2 (any one unit)
 *   frac1         liquid composition of component 1: mole fraction in the ...mF
 *                 functions, mass fraction in the others; component 2 is the rest
 *   punit         pressure unit: 0 Pa, 1 mmHg, 2 atm (32-bit integer)
 *   pres          pressure in that unit
 *   lam12, lam21  Wilson parameters Lambda12 and Lambda21
 *   a1, b1, c1    Antoine A, B, C of component 1: log10(P/mmHg) = A - B / (C + T/degC)
 *   a2, b2, c2    the same for component 2
 * Each returns one double: the bubble-point temperature in degrees Celsius (vle2wilt...),
 * or the vapour mole (vle2wilymF) or mass (vle2wilyF) fraction of component 1, or
 * 1.0E+100 on failure.
 *
 * The functions share one calculation state: calls must not overlap in time.
 */
#ifndef CORVANE_H
#define CORVANE_H

#include <stdint.h>

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define CORVANE_CALL __stdcall
#else
#define CORVANE_CALL
#endif

#if defined(CORVANE_BUILDING) && !defined(_WIN32)
#define CORVANE_API __attribute__((visibility("default")))
#else
#define CORVANE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Bubble-point temperature, degrees Celsius; frac1 a mass fraction. */
CORVANE_API double CORVANE_CALL vle2wiltF(
    const double *mw1, const double *mw2, const double *frac1, const int32_t *punit,
    const double *pres, const double *lam12, const double *lam21, const double *a1,
    const double *b1, const double *c1, const double *a2, const double *b2, const double *c2);

/* Bubble-point temperature, degrees Celsius; frac1 a mole fraction. */
CORVANE_API double CORVANE_CALL vle2wiltmF(
    const double *mw1, const double *mw2, const double *frac1, const int32_t *punit,
    const double *pres, const double *lam12, const double *lam21, const double *a1,
    const double *b1, const double *c1, const double *a2, const double *b2, const double *c2);

/* Vapour mass fraction of component 1, wv(1); frac1 a mass fraction. */
CORVANE_API double CORVANE_CALL vle2wilyF(
    const double *mw1, const double *mw2, const double *frac1, const int32_t *punit,
    const double *pres, const double *lam12, const double *lam21, const double *a1,
    const double *b1, const double *c1, const double *a2, const double *b2, const double *c2);

/* Vapour mole fraction of component 1, y(1); frac1 a mole fraction. */
CORVANE_API double CORVANE_CALL vle2wilymF(
    const double *mw1, const double *mw2, const double *frac1, const int32_t *punit,
    const double *pres, const double *lam12, const double *lam21, const double *a1,
    const double *b1, const double *c1, const double *a2, const double *b2, const double *c2);

#ifdef __cplusplus
}
#endif

#endif
