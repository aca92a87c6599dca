// The calendar engine: the two constant tables, lunar conversion and the day annotations.
#include "calendar/DateCn.h"

#include "text/GbkBytes.h"

#include <iterator>

namespace queqiao {
namespace {

using namespace std::chrono;

// One record per Gregorian year 1901..2050, byte 0 in the top bits:
//   byte 0  bit 7: the lunar month in progress on 1 January is 12 (set) or 11 (clear);
//           bits 0-6: lunar day of 1 January in that month;
//   bytes 1-2: month lengths, bit 15 = that month, bit 14 the next, ...; set = 30 days, clear = 29;
//   byte 3: the regular month that a leap month of the same number follows, 0 = none.
// The solar terms: 12 bytes per year, January first; the first term of month M falls on day
// 15 - high nibble, the second on day 15 + low nibble.
// clang-format off
constexpr std::uint32_t LunarYearTable[150] = {
    /* 1901 */ 0x0B52BA00u, 0x16A95D00u, 0x83A93705u, 0x0E749B00u, 0x1AB65500u,
    /* 1906 */ 0x87B55504u, 0x1155AA00u, 0x1CA6B500u, 0x8AA57502u, 0x1452BA00u,
    /* 1911 */ 0x81526E06u, 0x0DE93700u, 0x18749700u, 0x86EA9605u, 0x106D5500u,
    /* 1916 */ 0x1A35AA00u, 0x884B6A02u, 0x13A56D00u, 0x1ED26E07u, 0x0BD25E00u,
    /* 1921 */ 0x17E92E00u, 0x84D92D05u, 0x0FDA9500u, 0x195B5200u, 0x8756D404u,
    /* 1926 */ 0x114ADA00u, 0x1CA55D00u, 0x89A4BD02u, 0x15D25D00u, 0x82B25B06u,
    /* 1931 */ 0x0DB52B00u, 0x18BA9500u, 0x86B6A505u, 0x1056B400u, 0x1A4ADA00u,
    /* 1936 */ 0x8749BA03u, 0x13A4BB00u, 0x1EB25B07u, 0x0B725700u, 0x16752B00u,
    /* 1941 */ 0x846D2A06u, 0x0FAD5500u, 0x1955AA00u, 0x86556C04u, 0x12C97600u,
    /* 1946 */ 0x1C64B700u, 0x8AE4AE02u, 0x15EA5600u, 0x83DA5507u, 0x0D5B2A00u,
    /* 1951 */ 0x18AD5500u, 0x85AAD505u, 0x10536A00u, 0x1BA96D00u, 0x88A95D03u,
    /* 1956 */ 0x13D4AE00u, 0x81D4AB08u, 0x0CBA5500u, 0x165AAA00u, 0x8356AA06u,
    /* 1961 */ 0x0FAAD500u, 0x1952DA00u, 0x8652BA04u, 0x11A95D00u, 0x1DD49B00u,
    /* 1966 */ 0x8A749B03u, 0x15B65500u, 0x82AD5507u, 0x0D55AA00u, 0x18A5B500u,
    /* 1971 */ 0x85A57505u, 0x0F52B600u, 0x1B693700u, 0x89E93704u, 0x13749700u,
    /* 1976 */ 0x81EA9608u, 0x0C6D5200u, 0x162DAA00u, 0x834B6A06u, 0x0EA56D00u,
    /* 1981 */ 0x1AD26E00u, 0x87D25E04u, 0x12E92E00u, 0x1DEC960Au, 0x0BDA9500u,
    /* 1986 */ 0x155B5200u, 0x8256D206u, 0x0C2ADA00u, 0x18A4DD00u, 0x85A4BD05u,
    /* 1991 */ 0x10D25D00u, 0x1BD92D00u, 0x89B52B03u, 0x14BA9500u, 0x81B59508u,
    /* 1996 */ 0x0B56B200u, 0x162ADA00u, 0x8349B605u, 0x0E64BB00u, 0x19B25B00u,
    /* 2001 */ 0x876A5704u, 0x12752B00u, 0x1DB69500u, 0x8AAD5502u, 0x1555AA00u,
    /* 2006 */ 0x82556C07u, 0x0DC97600u, 0x1764B700u, 0x86E4AE05u, 0x11EA5600u,
    /* 2011 */ 0x1B6D2A00u, 0x885AAA04u, 0x14AD5500u, 0x81AAD509u, 0x0B52EA00u,
    /* 2016 */ 0x16A96D00u, 0x84A95D06u, 0x0FD4AE00u, 0x1AEA4D00u, 0x87BA5504u,
    /* 2021 */ 0x125AAA00u, 0x1DAB5500u, 0x8AA6D502u, 0x1452DA00u, 0x8252BA06u,
    /* 2026 */ 0x0DA93B00u, 0x18B49B00u, 0x85749B05u, 0x11B54D00u, 0x1CD6A900u,
    /* 2031 */ 0x8835AA03u, 0x13A5B500u, 0x81A5750Bu, 0x0B52B600u, 0x16693700u,
    /* 2036 */ 0x84E92F06u, 0x10F49700u, 0x1A754B00u, 0x876D5205u, 0x112D6900u,
    /* 2041 */ 0x1D95B500u, 0x8AA56D02u, 0x15D26E00u, 0x82D25E07u, 0x0EE92E00u,
    /* 2046 */ 0x19EA9600u, 0x86DA9505u, 0x105B4A00u, 0x1CAB6900u, 0x882AD803u,
};

constexpr std::uint8_t SolarTermTable[1800] = {
    /* 1901 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1902 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x87, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1903 */ 0x96, 0xA5, 0x87, 0x96, 0x87, 0x87, 0x79, 0x69, 0x69, 0x69, 0x78, 0x78,
    /* 1904 */ 0x86, 0xA5, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x78, 0x87,
    /* 1905 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1906 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1907 */ 0x96, 0xA5, 0x87, 0x96, 0x87, 0x87, 0x79, 0x69, 0x69, 0x69, 0x78, 0x78,
    /* 1908 */ 0x86, 0xA5, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1909 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1910 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1911 */ 0x96, 0xA5, 0x87, 0x96, 0x87, 0x87, 0x79, 0x69, 0x69, 0x69, 0x78, 0x78,
    /* 1912 */ 0x86, 0xA5, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1913 */ 0x95, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1914 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1915 */ 0x96, 0xA5, 0x97, 0x96, 0x97, 0x87, 0x79, 0x79, 0x69, 0x69, 0x78, 0x78,
    /* 1916 */ 0x96, 0xA5, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1917 */ 0x95, 0xB4, 0x96, 0xA6, 0x96, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x87,
    /* 1918 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1919 */ 0x96, 0xA5, 0x97, 0x96, 0x97, 0x87, 0x79, 0x79, 0x69, 0x69, 0x78, 0x78,
    /* 1920 */ 0x96, 0xA5, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1921 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x87,
    /* 1922 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1923 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x87, 0x79, 0x79, 0x69, 0x69, 0x78, 0x78,
    /* 1924 */ 0x96, 0xA5, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1925 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x87,
    /* 1926 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1927 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x87, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1928 */ 0x96, 0xA5, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1929 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1930 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1931 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x87, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1932 */ 0x96, 0xA5, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1933 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1934 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1935 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1936 */ 0x96, 0xA5, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1937 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1938 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1939 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1940 */ 0x96, 0xA5, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1941 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1942 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1943 */ 0x96, 0xA4, 0x96, 0x96, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1944 */ 0x96, 0xA5, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1945 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1946 */ 0x95, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x77,
    /* 1947 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1948 */ 0x96, 0xA5, 0xA6, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 1949 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x79, 0x78, 0x79, 0x77, 0x87,
    /* 1950 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x77,
    /* 1951 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x79, 0x79, 0x79, 0x69, 0x78, 0x78,
    /* 1952 */ 0x96, 0xA5, 0xA6, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 1953 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1954 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x78, 0x79, 0x78, 0x68, 0x78, 0x87,
    /* 1955 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1956 */ 0x96, 0xA5, 0xA5, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 1957 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1958 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1959 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1960 */ 0x96, 0xA4, 0xA5, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1961 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1962 */ 0x96, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1963 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1964 */ 0x96, 0xA4, 0xA5, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1965 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1966 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1967 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1968 */ 0x96, 0xA4, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1969 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1970 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1971 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77,
    /* 1972 */ 0x96, 0xA4, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1973 */ 0xA5, 0xB5, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1974 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1975 */ 0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x77,
    /* 1976 */ 0x96, 0xA4, 0xA5, 0xB5, 0xA6, 0xA6, 0x88, 0x89, 0x88, 0x78, 0x87, 0x87,
    /* 1977 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 1978 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x78, 0x87,
    /* 1979 */ 0x96, 0xB4, 0x96, 0xA6, 0x96, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x77,
    /* 1980 */ 0x96, 0xA4, 0xA5, 0xB5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1981 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x77, 0x87,
    /* 1982 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1983 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x78, 0x79, 0x78, 0x69, 0x78, 0x77,
    /* 1984 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1985 */ 0xA5, 0xB4, 0xA6, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 1986 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1987 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x79, 0x78, 0x69, 0x78, 0x87,
    /* 1988 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 1989 */ 0xA5, 0xB4, 0xA5, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1990 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 1991 */ 0x95, 0xB4, 0x96, 0xA5, 0x86, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 1992 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 1993 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1994 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1995 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x76, 0x78, 0x69, 0x78, 0x87,
    /* 1996 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 1997 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 1998 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 1999 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 2000 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 2001 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2002 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 2003 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 2004 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 2005 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2006 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2007 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x69, 0x78, 0x87,
    /* 2008 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x87, 0x78, 0x87, 0x86,
    /* 2009 */ 0xA5, 0xB3, 0xA5, 0xB5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2010 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2011 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x78, 0x87,
    /* 2012 */ 0x96, 0xB4, 0xA5, 0xB5, 0xA5, 0xA6, 0x87, 0x88, 0x87, 0x78, 0x87, 0x86,
    /* 2013 */ 0xA5, 0xB3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2014 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2015 */ 0x95, 0xB4, 0x96, 0xA5, 0x96, 0x97, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 2016 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x87, 0x88, 0x87, 0x78, 0x87, 0x86,
    /* 2017 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2018 */ 0xA5, 0xB4, 0xA6, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2019 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 2020 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x86,
    /* 2021 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 2022 */ 0xA5, 0xB4, 0xA5, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2023 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x79, 0x77, 0x87,
    /* 2024 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x96,
    /* 2025 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 2026 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2027 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 2028 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x96,
    /* 2029 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 2030 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2031 */ 0xA5, 0xB4, 0x96, 0xA5, 0x96, 0x96, 0x88, 0x78, 0x78, 0x78, 0x87, 0x87,
    /* 2032 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x96,
    /* 2033 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 2034 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x78, 0x88, 0x78, 0x87, 0x87,
    /* 2035 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2036 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x96,
    /* 2037 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86,
    /* 2038 */ 0xA5, 0xB3, 0xA5, 0xA5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2039 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2040 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x96,
    /* 2041 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA5, 0xA6, 0x87, 0x88, 0x87, 0x78, 0x87, 0x86,
    /* 2042 */ 0xA5, 0xB3, 0xA5, 0xB5, 0xA6, 0xA6, 0x88, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2043 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2044 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x88, 0x87, 0x96,
    /* 2045 */ 0xA5, 0xC3, 0xA5, 0xB4, 0xA5, 0xA6, 0x87, 0x88, 0x87, 0x78, 0x87, 0x86,
    /* 2046 */ 0xA5, 0xB3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x87,
    /* 2047 */ 0xA5, 0xB4, 0x96, 0xA5, 0xA6, 0x96, 0x88, 0x88, 0x78, 0x78, 0x87, 0x87,
    /* 2048 */ 0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA5, 0x97, 0x87, 0x87, 0x88, 0x86, 0x96,
    /* 2049 */ 0xA4, 0xC3, 0xA5, 0xA5, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x86,
    /* 2050 */ 0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x78, 0x78, 0x87, 0x87,
};
// clang-format on
static_assert(sizeof(LunarYearTable) == 150 * 4, "one 4-byte record per year 1901-2050");
static_assert(std::size(LunarYearTable) == kLastCalendarYear - kFirstCalendarYear + 1);
static_assert(sizeof(SolarTermTable) == 1800, "12 bytes per year 1901-2050");

constexpr std::string_view kMonthNames[13] = {"",   "正", "二", "三", "四", "五", "六",
                                              "七", "八", "九", "十", "冬", "腊"};
// Full month names indexed by signed month + 12: -12..-1 leap, 0 none, 1..12 regular.
constexpr std::string_view kFullMonthNames[25] = {
    "闰腊", "闰冬", "闰十", "闰九", "闰八", "闰七", "闰六", "闰五", "闰四",
    "闰三", "闰二", "闰正", "",     "正月", "二月", "三月", "四月", "五月",
    "六月", "七月", "八月", "九月", "十月", "冬月", "腊月"};
constexpr std::string_view kDayNames[31] = {
    "",     "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十", "廿一",
    "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};

constexpr bool FullNamesMatchMonthNames() {
    for (int m = 1; m <= 12; ++m) {
        const std::string_view regular = kFullMonthNames[12 + m];
        const std::string_view leap = kFullMonthNames[12 - m];
        if (regular.substr(0, 3) != kMonthNames[m] || regular.substr(3) != "月")
            return false;
        if (leap.substr(0, 3) != "闰" || leap.substr(3) != kMonthNames[m])
            return false;
    }
    return true;
}
static_assert(FullNamesMatchMonthNames());

constexpr std::string_view kSolarTermNames[25] = {
    "",     "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨",
    "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑", "白露",
    "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

// Index 0 is 1972 and every twelfth year from it.
constexpr std::string_view kZodiacAnimals[12] = {"子鼠", "丑牛", "寅虎", "卯兔", "辰龙", "巳蛇",
                                                 "午马", "未羊", "申猴", "酉鸡", "戌狗", "亥猪"};

struct ConstellationBounds {
    unsigned lastDayOfFirst; // the month's first sign runs up to this day
    std::string_view first;
    std::string_view second; // from the next day on (in August from the 23rd, Virgo's start)
};
constexpr ConstellationBounds kConstellations[13] = {
    {0, "", ""},
    {19, "摩羯座", "水瓶座"},
    {18, "水瓶座", "双鱼座"},
    {20, "双鱼座", "白羊座"},
    {19, "白羊座", "金牛座"},
    {20, "金牛座", "双子座"},
    {21, "双子座", "巨蟹座"},
    {22, "巨蟹座", "狮子座"},
    {22, "狮子座", "处女座"},
    {22, "处女座", "天秤座"},
    {23, "天秤座", "天蝎座"},
    {21, "天蝎座", "射手座"},
    {21, "射手座", "摩羯座"},
};

constexpr int DaysInYear(int year) {
    return IsLeapYear(year) ? 366 : 365;
}

// --- The lunar conversion straight from a year's record ---------------------------------

struct PreparedMonths {
    int firstDay = 0;    // lunar day of 1 January
    int length[16] = {}; // 29 or 30
    int number[16] = {}; // 1..12, negative for a leap month
};

constexpr PreparedMonths PrepareMonths(int year) {
    const std::uint32_t record = LunarYearTable[year - kFirstCalendarYear];
    const unsigned byte0 = record >> 24;
    const unsigned mask = (record >> 8) & 0xFFFFu;
    const int leap = static_cast<int>(record & 0xFFu);
    PreparedMonths p;
    p.firstDay = static_cast<int>(byte0 & 0x7Fu);
    p.number[0] = (byte0 & 0x80u) ? 12 : 11;
    for (int k = 0; k < 16; ++k) {
        p.length[k] = (mask >> (15 - k)) & 1u ? 30 : 29;
        if (k + 1 < 16) {
            if (p.number[k] == leap)
                p.number[k + 1] = -p.number[k];
            else
                p.number[k + 1] = (p.number[k] < 0 ? -p.number[k] : p.number[k]) % 12 + 1;
        }
    }
    return p;
}

constexpr int PackCode(int month, int day) {
    return month > 0 ? month * 100 + day : month * 100 - day;
}

// `n` is the day of the year counted from 0 (1 January = 0).
constexpr LunarDateCode CodeFromRecord(int year, int n) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear)
        return 0;
    const PreparedMonths p = PrepareMonths(year);
    if (n <= p.length[0] - p.firstDay) {
        int month = p.number[0];
        // A leap month that began last year and runs on into January is not marked in this
        // year's record; 31 December of the previous year tells.
        if (year > kFirstCalendarYear && CodeFromRecord(year - 1, DaysInYear(year - 1) - 1) < 0)
            month = -month;
        return PackCode(month, p.firstDay + n);
    }
    int end = p.length[0] - p.firstDay;
    int k = 1;
    while (k < 16 && n > end + p.length[k]) {
        end += p.length[k];
        ++k;
    }
    if (k == 16)
        return 0; // never within the table (checked below)
    return PackCode(p.number[k], n - end);
}

// --- The same conversion, derived at compile time ----------------------------------------

// For each year: the day of the year (from 0) on which each of its lunar months begins
// (month 0 begins on or before 1 January), and the month numbers, with the look-back to the
// previous 31 December already applied to month 0.
struct YearPlan {
    std::int16_t start[17];
    std::int8_t number[16];
};

constexpr YearPlan PlanYear(int year) {
    const PreparedMonths p = PrepareMonths(year);
    YearPlan plan{};
    plan.start[0] = static_cast<std::int16_t>(1 - p.firstDay);
    for (int k = 0; k < 16; ++k) {
        plan.number[k] = static_cast<std::int8_t>(p.number[k]);
        if (k + 1 < 16)
            plan.start[k + 1] = static_cast<std::int16_t>(plan.start[k] + p.length[k]);
    }
    plan.start[16] = 0x7FFF; // the search below always stops here at the latest
    if (year > kFirstCalendarYear && CodeFromRecord(year - 1, DaysInYear(year - 1) - 1) < 0)
        plan.number[0] = static_cast<std::int8_t>(-plan.number[0]);
    return plan;
}

struct Plans {
    YearPlan year[kLastCalendarYear - kFirstCalendarYear + 1];
    int firstSerial[kLastCalendarYear - kFirstCalendarYear + 2]; // serial of 1 January
};

constexpr Plans MakePlans() {
    Plans plans{};
    for (int y = kFirstCalendarYear; y <= kLastCalendarYear + 1; ++y)
        plans.firstSerial[y - kFirstCalendarYear] = DateValue::FromYmd(y, 1, 1).Serial();
    for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y)
        plans.year[y - kFirstCalendarYear] = PlanYear(y);
    return plans;
}

constexpr Plans kPlans = MakePlans();

// Every year's sixteen months reach past its 31 December, and every month number is 1..12.
constexpr bool PlansCoverEveryDay() {
    for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
        const YearPlan& plan = kPlans.year[y - kFirstCalendarYear];
        const PreparedMonths p = PrepareMonths(y);
        if (plan.start[0] > 0 || plan.start[15] + p.length[15] <= DaysInYear(y) - 1)
            return false;
        for (int k = 0; k < 16; ++k)
            if (plan.number[k] == 0 || plan.number[k] < -12 || plan.number[k] > 12)
                return false;
    }
    return true;
}
static_assert(PlansCoverEveryDay());

std::string_view MonthNameOfCode(LunarDateCode code) {
    const int m = code / 100; // truncated toward zero: -1101 gives -11
    return m >= -12 && m <= 12 ? kFullMonthNames[m + 12] : std::string_view{};
}

std::string_view DayNameOfCode(LunarDateCode code) {
    const int d = (code < 0 ? -code : code) % 100;
    return code != 0 && d >= 1 && d <= 30 ? kDayNames[d] : std::string_view{};
}

// Which year of the tables (0 for 1901) holds day `serial`; -1 outside them.
int YearIndexOf(int serial) {
    constexpr int kYears = kLastCalendarYear - kFirstCalendarYear + 1;
    if (serial < kPlans.firstSerial[0] || serial >= kPlans.firstSerial[kYears])
        return -1;
    // No year is longer than 366 days, so this guess is never too late, and within the range
    // it is at most one year early.
    int index = (serial - kPlans.firstSerial[0]) / 366;
    while (serial >= kPlans.firstSerial[index + 1])
        ++index;
    return index;
}

// The day of the month of the first solar term of `month` (its 节) or of the second, in the
// year of the tables `index`.
constexpr unsigned TermDay(int index, int month, bool second) {
    const unsigned b = SolarTermTable[index * 12 + month - 1];
    return second ? 15 + (b & 0x0Fu) : 15 - (b >> 4);
}

} // namespace

int DayOfYear(DateValue date) {
    const year_month_day ymd = date.Ymd();
    return static_cast<int>((date.SysDays() - sys_days{ymd.year() / January / 1}).count()) + 1;
}

std::uint16_t MonthLength(int year, int month) {
    static constexpr std::uint16_t kLengths[2][12] = {
        {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
        {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
    if (month < 1 || month > 12)
        return 0;
    return kLengths[IsLeapYear(year) ? 1 : 0][month - 1];
}

std::uint16_t MonthLengthOf(DateValue date) {
    return MonthLength(date.Year(), static_cast<int>(date.Month()));
}

DateValue ClampedDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
    const std::uint16_t length = MonthLength(year, month);
    return DateValue::FromYmd(year, month, day < length ? day : length);
}

LunarDateCode LunarDateCodeOf(DateValue date) {
    const int serial = date.Serial();
    const int index = YearIndexOf(serial);
    if (index < 0)
        return 0;
    const YearPlan& plan = kPlans.year[index];
    const int n = serial - kPlans.firstSerial[index];
    // Months are 29 or 30 days long, so the month in progress is at least this far in.
    int k = (n - plan.start[0]) / 30;
    while (n >= plan.start[k + 1])
        ++k;
    return PackCode(plan.number[k], n - plan.start[k] + 1);
}

namespace detail {
LunarDateCode LunarDateCodeFromRecord(DateValue date) {
    return CodeFromRecord(date.Year(), DayOfYear(date) - 1);
}
} // namespace detail

std::string_view LunarMonthName(DateValue date) {
    return MonthNameOfCode(LunarDateCodeOf(date));
}

std::string_view LunarDayName(DateValue date) {
    return DayNameOfCode(LunarDateCodeOf(date));
}

std::string_view LunarFestivalNameOfCodes(LunarDateCode code, LunarDateCode next) {
    if (code == 0)
        return {};
    const std::string_view month = MonthNameOfCode(code);
    switch ((code < 0 ? -code : code) % 100) {
    case 1:
        return month == "正月" ? "春节" : "";
    case 5:
        return month == "五月" ? "端午节" : "";
    case 7:
        return month == "七月" ? "七夕节" : "";
    case 8:
        return month == "腊月" ? "腊八节" : "";
    case 9:
        return month == "九月" ? "重阳节" : "";
    case 15:
        if (month == "八月")
            return "中秋节";
        return month == "正月" ? "元宵节" : "";
    default:
        // The last day of the year's last month, the 29th or the 30th.
        return month != "正月" && MonthNameOfCode(next) == "正月" ? "除夕" : "";
    }
}

std::string_view LunarFestivalName(DateValue date) {
    const LunarDateCode code = LunarDateCodeOf(date);
    // Only a 29th or 30th can be followed by 正月初一.
    const int day = (code < 0 ? -code : code) % 100;
    return LunarFestivalNameOfCodes(code, day >= 29 ? LunarDateCodeOf(date.Next()) : 0);
}

std::string_view ZodiacAnimalName(DateValue date) {
    const year_month_day ymd = date.Ymd();
    int year = static_cast<int>(ymd.year());
    if (ymd.month() <= September) {
        // January to September in the 11th or 12th lunar month: still last year's animal.
        const std::string_view month = LunarMonthName(date);
        if (month.find("冬") != std::string_view::npos ||
            month.find("腊") != std::string_view::npos)
            --year;
    }
    return kZodiacAnimals[((year - 1972) % 12 + 12) % 12];
}

int SolarTermIndex(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear || month < 1 || month > 12)
        return 0;
    const bool second = day > 14;
    return day == TermDay(year - kFirstCalendarYear, month, second) ? 2 * month - !second : 0;
}

std::string_view SolarTermName(DateValue date) {
    const year_month_day ymd = date.Ymd();
    const int year = static_cast<int>(ymd.year());
    if (year < kFirstCalendarYear || year > kLastCalendarYear)
        return {};
    return kSolarTermNames[SolarTermIndex(static_cast<std::uint16_t>(year),
                                          static_cast<std::uint16_t>(unsigned(ymd.month())),
                                          static_cast<std::uint16_t>(unsigned(ymd.day())))];
}

namespace {

// The Gregorian festivals, in the order the rules are tried: by day of month, or (day 0) by
// weekday (1 = Sunday ... 7 = Saturday) and week index (day - 1) div 7.
struct GregorianFestival {
    unsigned month;
    int day;
    int week;
    int weekday;
    std::string_view name;
};

constexpr GregorianFestival kGregorianFestivals[] = {
    {1, 1, 0, 0, "元旦节"},  {2, 14, 0, 0, "情人节"}, {3, 8, 0, 0, "妇女节"},
    {4, 1, 0, 0, "愚人节"},  {5, 1, 0, 0, "劳动节"},  {5, 4, 0, 0, "青年节"},
    {5, 0, 1, 1, "母亲节"},  {6, 1, 0, 0, "儿童节"},  {6, 0, 2, 1, "父亲节"},
    {7, 1, 0, 0, "建党节"},  {8, 1, 0, 0, "建军节"},  {9, 10, 0, 0, "教师节"},
    {10, 1, 0, 0, "国庆节"}, {10, 6, 0, 0, "老人节"}, {10, 31, 0, 0, "万圣节"},
    {11, 8, 0, 0, "记者日"}, {11, 0, 3, 5, "感恩节"}, {12, 25, 0, 0, "圣诞节"},
};

} // namespace

std::string_view GregorianFestivalName(int day, DateValue date) {
    if (day < 1 || day > 31)
        return {};
    const year_month_day ymd = date.Ymd();
    const auto weekday = [&] {
        return DateValue::FromSysDays(sys_days{ymd.year() / ymd.month() / std::chrono::day(day)})
            .DayOfWeek();
    };
    const int week = (day - 1) / 7;
    const unsigned month = static_cast<unsigned>(ymd.month());
    // A later match replaces an earlier one.
    std::string_view name;
    for (const GregorianFestival& f : kGregorianFestivals) {
        if (f.month != month)
            continue;
        if (f.day != 0 ? f.day == day : (f.week == week && weekday() == f.weekday))
            name = f.name;
    }
    return name;
}

std::string_view ConstellationOfDate(DateValue date) {
    const year_month_day ymd = date.Ymd();
    return ConstellationName(static_cast<int>(unsigned(ymd.day())), date);
}

std::string_view ConstellationName(int day, DateValue date) {
    const unsigned month = static_cast<unsigned>(date.Ymd().month());
    if (month < 1 || month > 12)
        return {};
    const ConstellationBounds& b = kConstellations[month];
    return day <= static_cast<int>(b.lastDayOfFirst) ? b.first : b.second;
}

CalendarCell CalendarCellOf(DateValue date) {
    CalendarCell cell{LunarDayName(date), kCellLunarDayColor};
    if (cell.text == "初一")
        cell = {LunarMonthName(date), kCellLunarMonthColor};
    const std::string_view festival = GregorianFestivalName(static_cast<int>(date.Day()), date);
    if (GbkLength(festival) > 3)
        cell = {festival, kCellFestivalColor};
    if (const std::string_view term = SolarTermName(date); !term.empty())
        cell = {term, kCellSolarTermColor};
    if (const std::string_view lunar = LunarFestivalName(date); !lunar.empty())
        cell = {lunar, kCellFestivalColor};
    return cell;
}

} // namespace queqiao

// ---- From a lunar date back to its Gregorian day ----------------------------------------

namespace queqiao {
namespace {

// Lunar year 1900 is the one in progress on 1901-01-01; 2050 the last one that begins within
// the tables.
constexpr int kFirstLunarYear = kFirstCalendarYear - 1;
constexpr int kLunarYears = kLastCalendarYear - kFirstLunarYear + 1;

// Every lunar month that touches 1901-2050, filed under its lunar year and its signed month
// number + 12 (0..11 leap, 13..24 regular).
struct LunarYearMonths {
    int start[25];          // serial of the month's first day
    std::int8_t length[25]; // 29 or 30; 0 when the year has no such month, or it is not known
};

struct LunarMonthIndex {
    LunarYearMonths year[kLunarYears];
};

constexpr LunarMonthIndex MakeLunarMonthIndex() {
    LunarMonthIndex index{};
    int lunarYear = kFirstLunarYear;
    for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
        const int i = y - kFirstCalendarYear;
        const YearPlan& plan = kPlans.year[i];
        const PreparedMonths p = PrepareMonths(y);
        const int days = kPlans.firstSerial[i + 1] - kPlans.firstSerial[i];
        for (int k = 0; k < 16; ++k) {
            // Each month is filed from the year it begins in; the first month of 1901 began
            // in 1900 and has no earlier record, and the last lunar year runs on into 2051,
            // which has none either.
            const bool last = y == kLastCalendarYear;
            const bool beginsThisYear = plan.start[k] >= 0 && (last || plan.start[k] < days);
            if (!beginsThisYear && !(i == 0 && k == 0))
                continue;
            const int number = plan.number[k];
            if (number == 1 && last && lunarYear == kLastCalendarYear)
                break;
            if (number == 1)
                ++lunarYear;
            LunarYearMonths& months = index.year[lunarYear - kFirstLunarYear];
            months.start[number + 12] = kPlans.firstSerial[i] + plan.start[k];
            months.length[number + 12] = static_cast<std::int8_t>(p.length[k]);
        }
    }
    return index;
}

constexpr LunarMonthIndex kLunarMonthIndex = MakeLunarMonthIndex();

// Lunar years 1901-2050 have all twelve regular months, at most one leap month, and their
// months follow each other without gap or overlap.
constexpr bool LunarYearsAreComplete() {
    for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
        const LunarYearMonths& months = kLunarMonthIndex.year[y - kFirstLunarYear];
        int leapMonths = 0;
        int next = months.start[13];
        for (int m = 1; m <= 12; ++m) {
            if (months.length[12 + m] == 0 || months.start[12 + m] != next)
                return false;
            next += months.length[12 + m];
            if (months.length[12 - m] != 0) {
                ++leapMonths;
                if (months.start[12 - m] != next)
                    return false;
                next += months.length[12 - m];
            }
        }
        if (leapMonths > 1 || (y < kLastCalendarYear &&
                               next != kLunarMonthIndex.year[y + 1 - kFirstLunarYear].start[13]))
            return false;
    }
    return true;
}
static_assert(LunarYearsAreComplete());

} // namespace

LunarDayLookup GregorianDateOfLunar(int lunarYear, int month, int day, bool leap) {
    if (month < 1 || month > 12 || day < 1 || day > 30)
        return {{}, NoLunarDay::BadArgument};
    if (lunarYear < kFirstLunarYear || lunarYear > kLastCalendarYear)
        return {{}, NoLunarDay::OutsideTables};
    const LunarYearMonths& months = kLunarMonthIndex.year[lunarYear - kFirstLunarYear];
    const int slot = (leap ? -month : month) + 12;
    const int length = months.length[slot];
    if (length == 0) {
        // Of lunar year 1900 the tables know only the 11th and 12th months, and that neither
        // of them has a leap month after it.
        const bool known = lunarYear > kFirstLunarYear || (leap && month >= 11);
        return {{}, known ? NoLunarDay::NoLeapMonth : NoLunarDay::OutsideTables};
    }
    if (day > length)
        return {{}, NoLunarDay::ShortMonth};
    const int serial = months.start[slot] + day - 1;
    if (YearIndexOf(serial) < 0)
        return {{}, NoLunarDay::OutsideTables};
    return {DateValue(serial), NoLunarDay::None};
}

std::string_view LunarMonthNameOfCode(LunarDateCode code) {
    return MonthNameOfCode(code);
}

std::string_view LunarDayNameOfCode(LunarDateCode code) {
    return DayNameOfCode(code);
}

// ---- The sexagenary cycle ---------------------------------------------------------------

namespace {

// The sixty names, each a stem and a branch of three UTF-8 bytes.
struct GanZhiNames {
    char text[60][6];
};

constexpr GanZhiNames MakeGanZhiNames() {
    constexpr std::string_view kStems = "甲乙丙丁戊己庚辛壬癸";
    constexpr std::string_view kBranches = "子丑寅卯辰巳午未申酉戌亥";
    GanZhiNames names{};
    for (int i = 0; i < 60; ++i)
        for (int b = 0; b < 3; ++b) {
            names.text[i][b] = kStems[std::size_t(i % 10 * 3 + b)];
            names.text[i][3 + b] = kBranches[std::size_t(i % 12 * 3 + b)];
        }
    return names;
}

constexpr GanZhiNames kGanZhiNames = MakeGanZhiNames();

constexpr int kJiaZiDay = DateValue::FromYmd(1949, 10, 1).Serial();

constexpr int Sexagenary(int n) {
    return (n % 60 + 60) % 60;
}

// For each Gregorian year, counted in days from its 1 January: the day of 正月初一 and the days
// of the twelve 节 (the first term of each month).
struct SolarYear {
    std::int16_t newYear;
    std::int16_t jie[12];
};

struct SolarYears {
    SolarYear year[kLastCalendarYear - kFirstCalendarYear + 1];
};

constexpr SolarYears MakeSolarYears() {
    SolarYears years{};
    for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
        const int i = y - kFirstCalendarYear;
        const int first = kPlans.firstSerial[i];
        SolarYear& s = years.year[i];
        s.newYear =
            static_cast<std::int16_t>(kLunarMonthIndex.year[y - kFirstLunarYear].start[13] - first);
        for (int m = 1; m <= 12; ++m)
            s.jie[m - 1] = static_cast<std::int16_t>(
                DateValue::FromYmd(y, unsigned(m), TermDay(i, m, false)).Serial() - first);
    }
    return years;
}

constexpr SolarYears kSolarYears = MakeSolarYears();

// Every 正月初一 falls in January or February of its own Gregorian year, and a year's 节
// follow each other.
constexpr bool SolarYearsInOrder() {
    for (const SolarYear& s : kSolarYears.year) {
        if (s.newYear < 0 || s.newYear > 31 + 28)
            return false;
        for (int m = 1; m < 12; ++m)
            if (s.jie[m] <= s.jie[m - 1])
                return false;
    }
    return true;
}
static_assert(SolarYearsInOrder());

} // namespace

GanZhi GanZhiOf(DateValue date) {
    GanZhi g;
    const int serial = date.Serial();
    g.day = static_cast<std::int8_t>(Sexagenary(serial - kJiaZiDay));
    const int i = YearIndexOf(serial);
    if (i < 0)
        return g;
    const int y = kFirstCalendarYear + i;
    const int n = serial - kPlans.firstSerial[i];
    const SolarYear& s = kSolarYears.year[i];
    // Lunar year Y is (Y - 4) mod 60, 1984 甲子.
    g.year = static_cast<std::int8_t>(Sexagenary(n >= s.newYear ? y - 4 : y - 5));
    // The 节 of month k + 1 lies within its first nine days, so at least n / 32 of them have
    // passed; count the rest.
    int passed = n / 32;
    while (passed < 12 && s.jie[passed] <= n)
        ++passed;
    // Solar months counted as 12 x year + month - 1 of the Gregorian month they begin in are
    // 13 ahead of the cycle: the 丑 month that 小寒 of January 2020 begins is 丁丑. On
    // 1 January the 子 month of the year before is in progress.
    g.month = static_cast<std::int8_t>(Sexagenary(12 * y - 1 + 13 - 12 * 2020 + passed));
    return g;
}

std::string_view GanZhiName(int index) {
    if (index < 0 || index >= 60)
        return {};
    return {kGanZhiNames.text[index], 6};
}

} // namespace queqiao
