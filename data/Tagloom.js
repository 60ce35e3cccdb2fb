Tagloom JS Entry #0
<SCRIPT TYPE="text/javascript">
function tagloomLastModified() {
  var when = new Date(document.lastModified);
  var text = isNaN(when.getTime()) ? document.lastModified : when.toLocaleDateString() + " " + when.toLocaleTimeString();
  document.write("Last modified: " + text);
}
tagloomLastModified();
</SCRIPT>
Tagloom JS Entry #1
<SCRIPT TYPE="text/javascript">
function tagloomScrollButton(text, formName, buttonName) {
  var shown = text + "   ";
  var at = 0;
  function named(element, name) {
    return String(element.getAttribute("name") || "").toLowerCase() == name.toLowerCase();
  }
  function button() {
    var i, j, form;
    for (i = 0; i < document.forms.length; i++) {
      form = document.forms[i];
      if (!named(form, formName))
        continue;
      for (j = 0; j < form.elements.length; j++)
        if (named(form.elements[j], buttonName))
          return form.elements[j];
    }
    return null;
  }
  function step() {
    var target = button();
    if (target && text.length > 0) {
      var rolled = shown.substring(at) + shown.substring(0, at);
      if (target.tagName == "BUTTON")
        target.textContent = rolled;
      else
        target.value = rolled;
      at = (at + 1) % shown.length;
    }
    window.setTimeout(step, 150);
  }
  step();
}
tagloomScrollButton("TL%1", "TL%2", "TL%3");
</SCRIPT>
Tagloom JS Entry #2
<SCRIPT TYPE="text/javascript">
function tagloomFade(from, to, steps) {
  var step = 0;
  function paint() {
    var parts = [], i, colour;
    for (i = 0; i < 3; i++)
      parts[i] = Math.round(from[i] + (to[i] - from[i]) * step / steps);
    colour = "rgb(" + parts.join(",") + ")";
    // Written into the head, the script starts before the body exists; the root's
    // colour then shows behind the page, so both always take the new colour.
    document.documentElement.style.backgroundColor = colour;
    if (document.body)
      document.body.style.backgroundColor = colour;
    if (step < steps) {
      step++;
      window.setTimeout(paint, 20);
    }
  }
  paint();
}
tagloomFade([TL%1, TL%2, TL%3], [TL%4, TL%5, TL%6], TL%7);
</SCRIPT>
Tagloom JS Entry #3
<SCRIPT TYPE="text/javascript">
var tagloomNewLinkImage = "TL%1";
var tagloomNewLinkAlign = "TL%2";
var tagloomNewLinkAlt = "TL%3";
</SCRIPT>
Tagloom JS Entry #4
<SCRIPT TYPE="text/javascript">
function tagloomNewLinkEscape(text) {
  return String(text).replace(/&/g, "&amp;").replace(/"/g, "&quot;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}
function tagloomNewLinkDate(when) {
  var parts = String(when).match(/^\s*(\d{1,2})\/(\d{1,2})\/(\d{2}|\d{4})(\s+(\d{1,2}):(\d{2})(:(\d{2}))?)?\s*$/);
  var year;
  if (!parts)
    return new Date(when);
  year = Number(parts[3]);
  if (parts[3].length == 2)
    year += year < 70 ? 2000 : 1900;
  return new Date(year, Number(parts[1]) - 1, Number(parts[2]), Number(parts[5] || 0), Number(parts[6] || 0), Number(parts[8] || 0));
}
function tagloomNewLink(days, when) {
  var added = tagloomNewLinkDate(when);
  if (typeof tagloomNewLinkImage != "string" || tagloomNewLinkImage == "" || isNaN(added.getTime()))
    return;
  if (new Date().getTime() - added.getTime() < days * 86400000)
    document.write('<IMG SRC="' + tagloomNewLinkEscape(tagloomNewLinkImage) + '" ALIGN="' + tagloomNewLinkEscape(tagloomNewLinkAlign) +
                   '" ALT="' + tagloomNewLinkEscape(tagloomNewLinkAlt) + '">');
}
tagloomNewLink(TL%1, TL%2);
</SCRIPT>
Tagloom JS Entry #5
<SCRIPT TYPE="text/javascript">
function tagloomTextFadeEscape(text) {
  return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}
function tagloomTextFade(from, to, text) {
  var chars = [], html = "", i, k, code, part, colour;
  for (i = 0; i < text.length; i++) {
    code = text.charCodeAt(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.length) {
      chars.push(text.substr(i, 2));
      i++;
    } else {
      chars.push(text.charAt(i));
    }
  }
  for (i = 0; i < chars.length; i++) {
    part = chars.length > 1 ? i / (chars.length - 1) : 0;
    colour = "#";
    for (k = 0; k < 3; k++)
      colour += (256 + Math.round(from[k] + (to[k] - from[k]) * part)).toString(16).substring(1);
    html += '<FONT COLOR="' + colour + '">' + tagloomTextFadeEscape(chars[i]) + '<\/FONT>';
  }
  document.write(html);
}
</SCRIPT>
Tagloom JS Entry #6
<SCRIPT TYPE="text/javascript">
if (typeof tagloomTextFade == "function")
  tagloomTextFade([TL%1, TL%2, TL%3], [TL%4, TL%5, TL%6], "TL%7");
else
  document.write(String("TL%7").replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;"));
</SCRIPT>
