#pragma once

// ACT!'s numbers of the contact fields Daywise and the stand-in name (Contact::Data).
namespace act::ContactField {

inline constexpr int Id = 1;
inline constexpr int Company = 25;
inline constexpr int Name = 26;
inline constexpr int Address1 = 27;
inline constexpr int Address2 = 28;
inline constexpr int Address3 = 29;
inline constexpr int City = 30;
inline constexpr int Zip = 31;
inline constexpr int State = 32;
inline constexpr int Phone = 35;
inline constexpr int Fax = 36;
inline constexpr int Mobile = 38;
inline constexpr int Pager = 39;
inline constexpr int Title = 46;
inline constexpr int Assistant = 47;
inline constexpr int Extension = 80;
inline constexpr int Email = 200;

} // namespace act::ContactField
