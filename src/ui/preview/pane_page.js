// SPDX-License-Identifier: MIT
/*
 * The editor's side of the preview pane's page, loaded after the tree-menu library. It keeps
 * a click from leaving the page, tells the editor which item was clicked and what the status
 * text is, marks the item chosen in the editor, and swaps in each new version of the menu in
 * place (snPane.update: the old menu is destroyed and the new one built where it was, in the
 * same task), keeping the open folders and the scroll position.
 *
 * Messages to the editor are console lines "sylvanode-pane <JSON>". The page's address says
 * the view (v=phone) and the direction (rtl=1); g= is the version of the menu it was loaded with.
 * Later versions come from the editor as functions that run the generated script.
 *
 * Items are known by their pre-order index, as the library's events and tree.reveal() use it.
 * The index of a drawn row comes from the page's structure: its aria-posinset inside its group,
 * and the group's folder row before it (indexOfRow).
 */
(function (W, D) {
  "use strict";
  var args = new URLSearchParams(location.search), phone = args.get("v") == "phone", rtl = args.get("rtl") == "1",
    tree = null, nodes = null, kids = null, parents = null, marked = -1, pending = -1, swapping = 0, place = null, moved = 0, generation = +args.get("g") || 0,
    build = W.Tree_buildTree, makeView = W.Tree_treeView, write = D.write;

  function tell(message) {
    console.info("sylvanode-pane " + JSON.stringify(message));
  }

  if (rtl) D.documentElement.dir = "rtl";

  // The phone view: the page believes in a coarse pointer (touch), in scripts and in style
  // sheets. Every style sheet the library makes goes through replaceSync; its rules for a touch
  // screen apply, those for a mouse do not.
  if (phone) {
    var match = W.matchMedia.bind(W), touch = /\(\s*pointer\s*:\s*coarse\s*\)|\(\s*hover\s*:\s*none\s*\)/i,
      mouse = /\(\s*pointer\s*:\s*fine\s*\)|\(\s*hover\s*:\s*hover\s*\)/i;
    W.matchMedia = function (q) {
      var coarse = touch.test(q), fine = mouse.test(q);
      if (!coarse && !fine) return match(q);
      return { matches: coarse, media: q, onchange: null, addListener: function () {}, removeListener: function () {},
        addEventListener: function () {}, removeEventListener: function () {}, dispatchEvent: function () { return false; } };
    };
    var asTouch = function (sheet) {
      [].forEach.call(sheet.cssRules || [], function (r) {
        var m = r.media && r.media.mediaText;
        if (m && touch.test(m)) r.media.mediaText = m.replace(touch, "all");
        else if (m && mouse.test(m)) r.media.mediaText = "not all";
      });
      return sheet;
    };
    var P = W.CSSStyleSheet && CSSStyleSheet.prototype, replaceSync = P && P.replaceSync, replace = P && P.replace;
    if (replaceSync) P.replaceSync = function () { replaceSync.apply(this, arguments); asTouch(this); };
    if (replace) P.replace = function () { return replace.apply(this, arguments).then(asTouch); };
  }

  // The menu's items: each one's folder and each folder's children (-1: the top level), from
  // the node array (0 opens a folder of 11 entries, 2 is a file of 9, 1 closes a folder).
  function learn(a) {
    var flat = [], st = [], i, f;
    if (a && a.list) a = a.list;
    a = [].slice.call(a || []);
    if (typeof a[0] == "function") a.forEach(function (p) { flat.push.apply(flat, typeof p == "function" ? p() || [] : [p]); });
    else flat = a;
    parents = [];
    kids = { "-1": [] };
    for (i = 0; i < flat.length;) {
      f = flat[i];
      if (f === 1) { st.pop(); i++; continue; }
      if (f !== 0 && f !== 2) break;
      var x = parents.length, up = st.length ? st[st.length - 1] : -1;
      parents.push(up);
      kids[up].push(x);
      if (f === 0) {
        st.push(x);
        kids[x] = [];
      }
      i += f ? 9 : 11;
    }
  }

  // A new version of the menu replaces the old in the same task, before its style sheet is
  // written: the old one's sheets go first, so the new one's are its own.
  function retire() {
    if (!swapping) return;
    swapping = 0;
    var b = box();
    place = b && b.parentNode ? [b.parentNode, b.nextSibling] : null;
    if (tree && tree.destroy) tree.destroy();
    tree = null;
    // The pane carries the open folders itself; the library would remember each version apart.
    try {
      for (var i = W.sessionStorage.length; i--;)
        if (!W.sessionStorage.key(i).indexOf("sylvanode:")) W.sessionStorage.removeItem(W.sessionStorage.key(i));
    } catch (e) { /* no storage */ }
  }
  D.write = function () {
    retire();
    return write.apply(D, arguments);
  };
  W.Tree_treeView = function () {
    retire();
    makeView.call(this);
  };
  W.Tree_buildTree = function (a, T) {
    retire();
    var result = build.apply(this, arguments);
    if (!tree) {
      tree = T;
      nodes = a;
      parents = null;
      // Where the old menu was (a script run from the editor has no place in the page).
      if (place && T.element) place[0].insertBefore(T.element, place[1]);
      place = null;
    }
    return result;
  };

  D.head.appendChild(D.createElement("style")).textContent =
    ".sn-pane-mark{outline:2px dotted #2a6fdb;outline-offset:-1px}" + (phone ? "body{margin:8px}" : "");

  function box() {
    return tree && tree.element || null;
  }

  function known() {
    if (!parents) learn(nodes);
    return parents;
  }

  // The item index of a drawn row, or -1.
  function indexOfRow(r) {
    var b = box(), path = [], g, a, x, i;
    if (!r || !b || !b.contains(r)) return -1;
    for (; r; r = g == b ? null : g.previousElementSibling) {
      a = r.querySelector("[role=treeitem]");
      if (!a) return -1;
      path.unshift(+a.getAttribute("aria-posinset") - 1);
      g = r.parentNode;
      if (g != b && g.getAttribute("role") != "group") return -1;
    }
    known();
    for (x = -1, i = 0; i < path.length; i++) {
      x = kids[x] && kids[x][path[i]];
      if (x === undefined) return -1;
    }
    return x;
  }

  // The row of an item, when it is drawn.
  function rowOf(index) {
    var p = known(), up = [], c = box(), x, r, i, j;
    if (!c || !(index >= 0 && index < p.length)) return null;
    for (x = index; x >= 0; x = p[x]) up.unshift(x);
    for (i = 0; i < up.length; i++) {
      if (!c) return null;
      j = kids[p[up[i]]].indexOf(up[i]);
      r = [].filter.call(c.children, function (e) { return e.classList.contains("sn-r"); })[j];
      if (!r) return null;
      c = r.nextElementSibling;
      if (c && c.getAttribute("role") != "group") c = null;
    }
    return r;
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

  // Marks an item's row; with show, its branch opens and the row scrolls into view.
  function mark(index, show) {
    var b = box();
    marked = index;
    if (!b) return;
    [].forEach.call(b.querySelectorAll(".sn-pane-mark"), function (r) { r.classList.remove("sn-pane-mark"); });
    if (index < 0 || index >= known().length) return;
    if (show) tree.reveal(index);
    repeat(function () {
      var r = marked == index && rowOf(index);
      if (r) r.classList.add("sn-pane-mark");
      return r || marked != index;
    }, show ? 100 : 0);
  }

  // Opens the folders of `state` (each by revealing its first child), scrolls back to where the
  // page was, marks `index`, then tells the editor that this version is shown. The library keeps
  // a revealed row in view for two frames; the position is set again after them.
  function restore(state, index) {
    var T = tree;
    if (!T) return tell({ ready: generation, failed: 1 });
    T.ready.then(function () {
      if (T != tree) return;
      known();
      var open = state && state.open || [], frames = 0;
      open.forEach(function (f) { if (kids[f] && kids[f].length) T.reveal(kids[f][0]); });
      function place() {
        if (state && !moved) W.scrollTo(state.x, state.y);
      }
      // Rows are drawn in slices: until the page is long enough, or the visitor scrolls.
      moved = 0;
      place();
      (function again() {
        requestAnimationFrame(function () {
          place();
          if (++frames < 60 && state && !moved && D.documentElement.scrollHeight < state.y + innerHeight) again();
          else if (frames < 2) again();
        });
      })();
      mark(pending >= 0 ? pending : index, false);
      pending = -1;
      tell({ ready: generation });
    });
  }

  W.addEventListener("wheel", function () { moved = 1; }, { passive: true });
  W.addEventListener("keydown", function () { moved = 1; });

  // The editor learns what a click (or Enter) on an item would do; the link is not followed and
  // no script runs.
  D.addEventListener("sylvanode-select", function (e) {
    e.preventDefault();
    var d = e.detail || {};
    tell({ click: typeof d.index == "number" ? d.index : -1, href: d.href || "", target: d.target || "" });
  });
  // What the library does not announce (a click with Ctrl, Shift or Meta, the middle button, a
  // form) stays in the page too.
  W.addEventListener("click", function (e) {
    if (e.target.closest && e.target.closest("a, area") && (e.ctrlKey || e.shiftKey || e.metaKey)) e.preventDefault();
  }, true);
  W.addEventListener("auxclick", function (e) { if (e.target.closest && e.target.closest("a, area")) e.preventDefault(); }, true);
  W.addEventListener("submit", function (e) { e.preventDefault(); }, true);
  D.addEventListener("sylvanode-status", function (e) { tell({ status: e.detail && e.detail.text || "" }); });

  W.snPane = {
    // What the next version takes over: the open folders (their indices there, by moves: where
    // each item of this version is in the next) and the scroll position.
    state: function (moves) {
      return { open: opened().map(function (x) { return moves ? moves[x] : x; }).filter(function (x) { return x >= 0; }),
        x: W.scrollX, y: W.scrollY };
    },
    // After the page has loaded: the state of the version before, and the item to mark.
    restore: function (state, index) {
      restore(state, index);
    },
    // Swaps in version g of the menu: run() is its generated script; then the open folders and
    // the scroll position come back (see state).
    update: function (g, moves, index, run) {
      var state = this.state(moves);
      generation = g;
      swapping = 1;
      try {
        run();
      } catch (e) {
        console.error("sylvanode-pane: " + e);
      }
      // A script that built nothing leaves the old menu in place.
      swapping = 0;
      restore(state, index);
    },
    mark: function (index) {
      if (swapping) pending = index;
      else mark(index, true);
    },
    indexOfRow: indexOfRow,
    rowOf: rowOf,
    marked: function () {
      return indexOfRow(D.querySelector(".sn-pane-mark"));
    },
    // Every item's title in order, with every folder open (for tests): in snPane.titles.
    collect: function () {
      var self = this, T = tree;
      self.titles = null;
      if (!T || !T.expandAll) return (self.titles = []);
      T.expandAll(true).then(function () {
        self.titles = [].map.call(box().querySelectorAll("[role=treeitem]"), function (a) { return a.textContent; });
      });
    },
    titles: null
  };
})(window, document);
