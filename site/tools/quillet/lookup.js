// Forwards the browser to the look-up address that Quillet put after the "#"
// of this page's address, such as
//   thesaurus.html#https://thesaurus.example/browse/word
// Only web addresses (http: and https:) are followed: anything else, such as
// javascript:, data: or file:, is refused and never turned into a link.
(function () {
    "use strict";

    function addressFromFragment(hash) {
        var raw = hash.charAt(0) === "#" ? hash.substring(1) : hash;
        // The browser escapes blanks and non-ASCII letters in the fragment; undo
        // that. decodeURI keeps the escapes of reserved characters (%26, %23,
        // %3F...), and "%25" is kept too, so that a word escaped by the program
        // reaches the outside site exactly as the program escaped it.
        try {
            return decodeURI(raw.replace(/%25/gi, "%2525"));
        } catch (e) {
            return raw; // a lone "%" in a word: take the text as it stands
        }
    }

    function webAddress(text) {
        var url;
        try {
            url = new URL(text);
        } catch (e) {
            return null;
        }
        return url.protocol === "http:" || url.protocol === "https:" ? url : null;
    }

    function show(id) {
        document.getElementById(id).hidden = false;
    }

    var text = addressFromFragment(window.location.hash);
    var page = document.body;
    document.getElementById("noscript-note").hidden = true;

    if (text.trim() === "") {
        page.setAttribute("data-state", "empty");
        show("empty");
        return;
    }

    var url = webAddress(text);
    if (url === null) {
        page.setAttribute("data-state", "refused");
        document.getElementById("refused-address").textContent = text;
        show("refused");
        return;
    }

    page.setAttribute("data-state", "forwarding");
    page.setAttribute("data-target", url.href);
    var link = document.getElementById("target-link");
    link.href = url.href;
    link.textContent = url.href;
    show("forwarding");

    // replace() keeps this page out of the history, so "Back" returns to
    // wherever the user was before the look-up rather than forwarding again.
    window.location.replace(url.href);
})();
