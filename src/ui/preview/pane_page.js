// SPDX-License-Identifier: MIT
/*
 * The editor's side of the preview pane's page, loaded after the tree-menu library. It keeps
 * a click from leaving the page, tells the editor which item was clicked and what the status
 * text is, marks the item chosen in the editor, and carries the open folders and the scroll
 * position from one version of the page to the next.
 *
 * Messages to the editor are console lines "sylvanode-pane <JSON>". The page's address says
 * which version it is (g=), the view (v=phone) and the direction (rtl=1).
 *
 * Items are found by their pre-order index. Until the library offers that itself, the index
 * of a row comes from the item the library keeps on it (indexOfRow), and folders are opened
 * by a click on their row (open).
 */
(function (W, D) {
  "use strict";
  var args = new URLSearchParams(location.search), phone = args.get("v") == "phone", rtl = args.get("rtl") == "1",
    trees = [], parents = null, wanted = null, marked = -1, pending = -1, quiet = 0, touched = 0, build = W.Tree_buildTree;

  function tell(message) {
    console.info("sylvanode-pane " + JSON.stringify(message));
  }

  if (rtl) D.documentElement.dir = "rtl";

  // The phone view: the page believes in a coarse pointer (touch) and uses the rules written for it.
  if (phone) {
    var match = W.matchMedia.bind(W);
    W.matchMedia = function (q) {
      var coarse = /\(\s*pointer\s*:\s*coarse\s*\)|\(\s*hover\s*:\s*none\s*\)/i.test(q),
        fine = /\(\s*pointer\s*:\s*fine\s*\)|\(\s*hover\s*:\s*hover\s*\)/i.test(q);
      if (!coarse && !fine) return match(q);
      return { matches: coarse, media: q, onchange: null, addListener: function () {}, removeListener: function () {},
        addEventListener: function () {}, removeEventListener: function () {}, dispatchEvent: function () { return false; } };
    };
  }

  // Once the menu has its style sheets (the library may add them while it draws).
  function touchRules() {
    if (!phone || touched) return;
    touched = 1;
    var text = "", sheets = [].slice.call(D.styleSheets).concat(D.adoptedStyleSheets || []);
    sheets.forEach(function (s) {
      var rules;
      try { rules = s.cssRules; } catch (e) { return; }
      [].forEach.call(rules || [], function (r) {
        if (r.media && /pointer\s*:\s*coarse|hover\s*:\s*none/i.test(r.conditionText || r.media.mediaText))
          [].forEach.call(r.cssRules, function (x) { text += x.cssText; });
      });
    });
    if (text) D.head.appendChild(D.createElement("style")).textContent = text;
  }

  W.Tree_buildTree = function (nodes, T) {
    var result = build.apply(this, arguments);
    trees.push({ nodes: nodes, T: T });
    return result;
  };

  D.head.appendChild(D.createElement("style")).textContent =
    ".sn-pane-mark{outline:2px dotted #2a6fdb;outline-offset:-1px}" +
    (phone ? "body{margin:8px}" : "");

  function box() {
    return trees.length && trees[0].T.element || null;
  }

  function indexOfRow(r) {
    return r && r.sn && typeof r.sn.x == "number" ? r.sn.x : -1;
  }

  function rowOf(index) {
    var b = box(), rows = b ? b.querySelectorAll(".sn-r") : [];
    for (var i = 0; i < rows.length; i++) if (indexOfRow(rows[i]) == index) return rows[i];
    return null;
  }

  // The folder of every item, from the node array (0 opens a folder of 11 entries, 2 is a file
  // of 9, 1 closes a folder).
  function parentList() {
    if (parents) return parents;
    var a = trees.length ? trees[0].nodes : [], flat = [], st = [], out = [], i, f;
    if (a && a.list) a = a.list;
    a = [].slice.call(a || []);
    if (typeof a[0] == "function") a.forEach(function (p) { flat.push.apply(flat, typeof p == "function" ? p() || [] : [p]); });
    else flat = a;
    for (i = 0; i < flat.length;) {
      f = flat[i];
      if (f === 1) { st.pop(); i++; continue; }
      if (f !== 0 && f !== 2) break;
      out.push(st.length ? st[st.length - 1] : -1);
      if (f === 0) st.push(out.length - 1);
      i += f ? 9 : 11;
    }
    return parents = out;
  }

  // Opens a folder whose row is drawn: a click beside its text, as a visitor would open it (on
  // a touch screen that click selects it too). The editor does not hear of it.
  function open(r) {
    var a = r.querySelector("[role=treeitem]");
    if (!a || a.getAttribute("aria-expanded") != "false") return;
    quiet = 1;
    try { r.dispatchEvent(new MouseEvent("click", { bubbles: true, cancelable: true })); } finally { quiet = 0; }
  }

  // Calls step now and then every 10 ms until it returns true, or gives up after `times` more.
  // (Not once a frame: a pane that is covered or not yet painted gets few frames.)
  function repeat(step, times, then) {
    (function next() {
      if (step() || !times--) return then && then();
      setTimeout(next, 10);
    })();
  }

  function opened() {
    var b = box(), out = [];
    if (b) [].forEach.call(b.querySelectorAll("[role=treeitem][aria-expanded=true]"), function (a) {
      var x = indexOfRow(a.closest(".sn-r"));
      if (x >= 0) out.push(x);
    });
    return out.sort(function (x, y) { return x - y; });
  }

  // Opens these folders in order, each once its row is drawn; then `then`.
  function openAll(list, then) {
    var i = 0;
    repeat(function () {
      for (; i < list.length; i++) {
        var r = rowOf(list[i]);
        if (!r) return false;
        open(r);
      }
      return true;
    }, 120, then);
  }

  function mark(index) {
    marked = index;
    var b = box();
    if (!b) return;
    [].forEach.call(b.querySelectorAll(".sn-pane-mark"), function (r) { r.classList.remove("sn-pane-mark"); });
    if (index < 0) return;
    var up = [], p = parentList(), x;
    for (x = p[index]; x >= 0 && x !== undefined; x = p[x]) up.unshift(x);
    openAll(up, function () {
      repeat(function () {
        var r = marked == index && rowOf(index);
        if (!r) return marked != index;
        r.classList.add("sn-pane-mark");
        r.scrollIntoView({ block: "nearest", inline: "nearest" });
        return true;
      }, 60);
    });
  }

  // A click never leaves the page: the editor hears which item it was and what it would do.
  W.addEventListener("click", function (e) {
    var a = e.target.closest && e.target.closest("a, area"), r = e.target.closest && e.target.closest(".sn-r"),
      b = box(), index = r && b && b.contains(r) ? indexOfRow(r) : -1;
    if (a) e.preventDefault();
    if (quiet || index < 0 && !a) return;
    var item = r ? r.querySelector("[role=treeitem]") : a;
    tell({ click: index, href: item && item.getAttribute("href") || "", target: item && item.getAttribute("target") || "" });
  }, true);
  W.addEventListener("auxclick", function (e) { if (e.target.closest && e.target.closest("a")) e.preventDefault(); }, true);
  W.addEventListener("submit", function (e) { e.preventDefault(); }, true);
  D.addEventListener("sylvanode-status", function (e) { tell({ status: e.detail && e.detail.text || "" }); });

  W.snPane = {
    generation: +args.get("g") || 0,
    // What the next version of the page takes over: the open folders and the scroll position.
    state: function () {
      return wanted || { open: opened(), x: W.scrollX, y: W.scrollY };
    },
    // Opens the folders of `state`, scrolls where it was, marks `index`, then tells the editor.
    restore: function (state, index) {
      var self = this;
      wanted = state && state.open ? state : null;
      pending = index;
      repeat(function () {
        var b = box();
        return b && (b.querySelector(".sn-r") || !parentList().length);
      }, 300, function () {
        touchRules();
        openAll(wanted ? wanted.open : [], function () {
          if (wanted) W.scrollTo(wanted.x, wanted.y);
          wanted = null;
          mark(pending);
          tell({ ready: self.generation });
        });
      });
    },
    mark: function (index) {
      pending = index;
      if (!wanted) mark(index);
    },
    // Every item's title in order, with every folder open (for tests): in snPane.titles.
    collect: function () {
      var self = this, T = trees.length && trees[0].T;
      self.titles = null;
      if (!T || !T.expandAll) return (self.titles = []);
      T.expandAll(true).then(function () {
        self.titles = [].map.call(box().querySelectorAll("[role=treeitem]"), function (a) { return a.textContent; });
      });
    },
    titles: null
  };
})(window, document);
