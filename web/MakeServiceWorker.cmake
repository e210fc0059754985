# Writes the page's service worker (OUT) from its template (IN) with the
# digest of the page's files (FILES, a ;-list), so that any change to them
# makes a new worker. Run with cmake -P.
set(digests "")
foreach(file ${FILES})
  file(SHA256 ${file} digest)
  string(APPEND digests ${digest})
endforeach()
string(SHA256 PAGE_DIGEST "${digests}")
string(SUBSTRING ${PAGE_DIGEST} 0 16 PAGE_DIGEST)
configure_file(${IN} ${OUT} @ONLY)
