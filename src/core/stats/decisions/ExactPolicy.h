#pragma once
// The error policy of every Boost.Math call behind the lot decisions (internal
// to this folder; no public header includes it).
//
// Doubles are not promoted to long double (the results were checked against
// 40-digit references and agree to about 1e-14, at half the cost). A failure
// inside the library never comes out as NaN, infinity or a Boost exception: it
// raises the program's own QvError, 5 for an argument outside the function's
// domain, 11 for a pole, 6 for an overflow or a series or root search that did
// not converge. A result that underflows is simply 0 (or the denormal), which
// is the right answer for a probability.

#include "core/Errors.h"

#include <boost/math/policies/policy.hpp>

namespace qv {

using ExactPolicy = boost::math::policies::policy<
    boost::math::policies::promote_float<false>, boost::math::policies::promote_double<false>,
    boost::math::policies::domain_error<boost::math::policies::user_error>,
    boost::math::policies::pole_error<boost::math::policies::user_error>,
    boost::math::policies::overflow_error<boost::math::policies::user_error>,
    boost::math::policies::evaluation_error<boost::math::policies::user_error>,
    boost::math::policies::rounding_error<boost::math::policies::user_error>,
    boost::math::policies::indeterminate_result_error<boost::math::policies::user_error>,
    boost::math::policies::underflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::denorm_error<boost::math::policies::ignore_error>>;

} // namespace qv

// The handlers that the user_error choices above call.
namespace boost::math::policies {

template <class T> T user_domain_error(const char*, const char*, const T&)
{
    qv::raise(qv::ErrorCode::InvalidArgument);
}

template <class T> T user_pole_error(const char*, const char*, const T&)
{
    qv::raise(qv::ErrorCode::DivisionByZero);
}

template <class T> T user_overflow_error(const char*, const char*, const T&)
{
    qv::raise(qv::ErrorCode::Overflow);
}

template <class T> T user_evaluation_error(const char*, const char*, const T&)
{
    qv::raise(qv::ErrorCode::Overflow);
}

template <class T, class TargetType>
T user_rounding_error(const char*, const char*, const T&, const TargetType&)
{
    qv::raise(qv::ErrorCode::Overflow);
}

template <class T> T user_indeterminate_result_error(const char*, const char*, const T&)
{
    qv::raise(qv::ErrorCode::Overflow);
}

} // namespace boost::math::policies
